#include "containers/WipeChoice.h"

#include "platform/TanorError.h"

#include <QStringList>

namespace WipeChoice {

QString AnyItem() {
    return QStringLiteral("Any Item");
}

const std::array<Ancient, 5>& Ancients() {
    static constexpr std::array<Ancient, 5> kAncients{{
        {"None", "none", u'0'},
        {"+5", "+5", u'5'},
        {"+10", "+10", u'9'},
        {"+5 (No opt)", "+5-noopt", u'6'},
        {"+10 (No opt)", "+10-noopt", u'A'},
    }};
    return kAncients;
}

ChosenItem ChosenOf(const Catalogue::WipeKey& key) {
    return ChosenItem{key.id, key.id2, key.unique, key.unique2, key.code32};
}

int ExcellentOf(const QString& list) {
    int sum = 0;
    for (const QString& entry : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = entry.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > 6 || (sum & (1 << (n - 1))) != 0)
            throw ConvertError(
                QStringLiteral("'%1' is not an excellent option 1 to 6 (given once)").arg(entry));
        sum |= 1 << (n - 1);
    }
    return sum;
}

QChar AncientOf(const QString& name) {
    for (const Ancient& a : Ancients()) {
        if (name.compare(QLatin1String(a.name), Qt::CaseInsensitive) == 0)
            return QChar(a.character);
    }
    throw ConvertError(
        QStringLiteral("'%1' is not an ancient option (none, +5, +10, +5-noopt, +10-noopt)").arg(name));
}

Choice General(const QString& text) {
    bool ok = false;
    const int type = text.trimmed().toInt(&ok);
    if (!ok || type < 0 || type > 15)
        throw ConvertError(QStringLiteral("'%1' is not an item type 0 to 15").arg(text));
    Choice c;
    c.type = type;
    return c;
}

MatchMaker MatchOf(const std::vector<Choice>& choices) {
    // The catalogue rows, looked up by name as the window does on a choice.
    std::vector<ChosenItem> items;
    for (const Choice& c : choices) {
        ChosenItem chosen;
        if (!c.type && c.item != AnyItem()) {
            const Catalogue::WipeKey key = Catalogue::WipeItem(c.item);
            if (!key.found)
                throw ConvertError(QStringLiteral("the catalogue has no item named '%1'").arg(c.item));
            chosen = ChosenOf(key);
        }
        items.push_back(chosen);
    }
    return [choices, items](int recordBytes) -> RecordMatch {
        std::vector<RecordMatch> matches;
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const Choice& c = choices[i];
            if (c.type)
                matches.emplace_back(GWipe(recordBytes, *c.type));
            else
                matches.emplace_back(
                    SWipe(recordBytes, c.item == AnyItem(), items[i], c.excellent, c.ancient));
        }
        return [matches](QStringView record) {
            for (const RecordMatch& m : matches) {
                if (m(record))
                    return true;
            }
            return false;
        };
    };
}

} // namespace WipeChoice
