#include "core/VaultSettings.h"

#include "core/UtilitiesUnit.h"

namespace {

const QString kSection = QStringLiteral("Vaults");

QString setting(const char* key) {
    return ReadSetting(kSection, QString::fromLatin1(key));
}

bool plainName(QStringView name) {
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

} // namespace

bool IsPlainIdentifier(const QString& name) {
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        return plainName(QStringView(name).mid(1, name.size() - 2));
    return plainName(name);
}

VaultSettings VaultSettings::Read() {
    VaultSettings s;
    s.enabled = Enabled();
    s.table = setting("Table");
    s.items = setting("ColumnItems");
    s.account = setting("ColumnAccount");
    s.number = setting("ColumnNumber");
    return s;
}

bool VaultSettings::Enabled() {
    return ReadSettingInt(kSection, QStringLiteral("Enabled")) == 1;
}

QString VaultSettings::InvalidName() const {
    const std::pair<const char*, const QString*> names[] = {
        {"Table", &table}, {"ColumnItems", &items}, {"ColumnAccount", &account}, {"ColumnNumber", &number}};
    for (const auto& [key, value] : names) {
        if (!IsPlainIdentifier(*value))
            return QString::fromLatin1(key);
    }
    return {};
}
