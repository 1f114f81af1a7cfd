#include "containers/ItemSearch.h"

#include "platform/TanorError.h"

#include <QElapsedTimer>

namespace ItemSearch {

quint32 SerialOf(const QString& typed) {
    const QString t = typed.trimmed();
    bool ok = false;
    const quint32 v = t.toUInt(&ok, 16);
    if ((t.size() != 6 && t.size() != 8) || !ok)
        throw ConvertError(QStringLiteral("A serial is 8 hexadecimal digits, or 6 behind the F9 marker"));
    return v;
}

bool Matches(const Criteria& c, const StoredItem& item, const CatalogueIndex::Entry* entry) {
    if (c.unknownOnly && entry)
        return false;
    if (!c.type.isEmpty() && (!entry || entry->type != c.type))
        return false;
    if (!c.item.isEmpty() && (!entry || entry->name != c.item))
        return false;
    if (!c.nameContains.isEmpty() && (!entry || !entry->name.contains(c.nameContains, Qt::CaseInsensitive)))
        return false;
    if (item.level < c.levelMin || item.level > c.levelMax)
        return false;
    if (c.excellent != 0) {
        const int held = item.excellentBits & c.excellent;
        if (c.allExcellent ? held != c.excellent : held == 0)
            return false;
    }
    if (c.luck && *c.luck != item.luck)
        return false;
    if (c.skill && *c.skill != item.skill)
        return false;
    if (c.ancient && *c.ancient != item.IsAncient())
        return false;
    return !c.serial || *c.serial == item.serial;
}

Result Find(const ServerScan::Options& options, const CatalogueIndex& catalogue, const Criteria& criteria,
            const ServerScan::Progress& progress, const std::function<void(const ServerScan::Found&)>& each,
            int kept) {
    class Collect : public ServerScan::Sink {
    public:
        Collect(const Criteria& c, Result& r, const std::function<void(const ServerScan::Found&)>& e, int k)
            : m_criteria(c), m_result(r), m_each(e), m_kept(k),
              m_byCatalogue(c.unknownOnly || !c.type.isEmpty() || !c.item.isEmpty() ||
                            !c.nameContains.isEmpty()) {}
        void item(const ServerScan::Met& met) override {
            if (!Matches(m_criteria, met.item(), m_byCatalogue ? met.entry() : nullptr))
                return;
            ++m_result.matched;
            const bool keep = m_result.items.size() < std::size_t(m_kept);
            if (!keep && !m_each)
                return;
            ServerScan::Found found = ServerScan::Describe(met);
            if (m_each)
                m_each(found);
            if (keep)
                m_result.items.push_back(std::move(found));
        }

    private:
        const Criteria& m_criteria;
        Result& m_result;
        const std::function<void(const ServerScan::Found&)>& m_each;
        int m_kept;
        bool m_byCatalogue; // a criterion needs the item's catalogue entry
    };
    QElapsedTimer clock;
    clock.start();
    Result result;
    ServerScan::Options o = options;
    for (std::size_t k = 0; k < o.kinds.size(); ++k)
        o.kinds[k] = o.kinds[k] && criteria.kinds[k];
    Collect sink(criteria, result, each, kept);
    result.partial = ServerScan::Scan(o, catalogue, sink, progress).stopped;
    result.elapsedMs = clock.elapsed();
    return result;
}

} // namespace ItemSearch
