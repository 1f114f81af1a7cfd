#include "items/ItemConversion.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemRecord.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

namespace ItemConversion {

using ItemRecord::Width;

ColumnState Classify(const QString& columnText, int records) {
    if (columnText.size() == qsizetype(records) * ItemRecord::Length(Width::Narrow))
        return ColumnState::Narrow;
    if (columnText.size() == qsizetype(records) * ItemRecord::Length(Width::Wide))
        return ColumnState::AlreadyWide;
    return ColumnState::Malformed;
}

QString ConvertColumn(const QString& columnText, int records) {
    QStringList wide = ItemRecord::SplitColumn(columnText, records, Width::Narrow);
    for (QString& record : wide)
        record = ItemRecord::Convert2032(record);
    return ItemRecord::ColumnLiteral(wide, Width::Wide);
}

namespace Statements {

QString Totals() {
    return QStringLiteral("SELECT count(*), (SELECT Count(*) From Character) FROM Warehouse");
}

QString VaultTotal(const VaultSettings& v) {
    return QStringLiteral("SELECT count(*) FROM ") + v.table;
}

QString CharacterRows() {
    return QStringLiteral("SELECT AccountID, Name, Inventory FROM Character");
}

QString VaultRows(const VaultSettings& v) {
    return QStringLiteral("SELECT ") + v.account + QLatin1Char(',') + v.items + QLatin1Char(',') + v.number +
           QStringLiteral(" FROM ") + v.table;
}

QString VaultRewrite(const VaultSettings& v, const QString& account, const QString& number,
                     const QString& literal) {
    return QStringLiteral("UPDATE ") + v.table + QStringLiteral(" SET ") + v.items + QLatin1Char('=') +
           literal + QStringLiteral(" WHERE (") + v.account + QLatin1Char('=') + Q(account) +
           QStringLiteral(") AND (") + v.number + QLatin1Char('=') + number + QLatin1Char(')');
}

} // namespace Statements

namespace {

QString gameDatabase() {
    return BuildConnectionString(DataSource::TanorOnline);
}

} // namespace

Totals ReadTotals() {
    const VaultSettings vaults = VaultSettings::Read();
    vaults.RequirePlainNames();
    Totals totals;
    Query q;
    q.SetConnectionString(gameDatabase());
    q.SetText(Statements::Totals());
    q.Open();
    totals.warehouses = q.Fields(0).AsInteger();
    totals.characters = q.Fields(1).AsInteger();
    q.Close();
    if (vaults.enabled) {
        q.SetConnectionString(gameDatabase());
        q.SetText(Statements::VaultTotal(vaults));
        q.Open();
        totals.vaults = q.Fields(0).AsInteger();
    }
    return totals;
}

std::vector<ContainerWalk::Source> Sources(const VaultSettings& vaults) {
    using ContainerWalk::Row;
    std::vector<ContainerWalk::Source> sources;
    sources.push_back(ContainerWalk::InventorySource(Statements::CharacterRows(), 2, 1));
    sources.push_back(ContainerWalk::WarehouseSource());
    vaults.RequirePlainNames();
    if (vaults.enabled) {
        sources.push_back(ContainerWalk::VaultSource(
            vaults, Statements::VaultRows(vaults), [vaults](const Row& row, const QString& literal) {
                // The number was read from the table; it goes back only as a number.
                bool whole = false;
                (void)row.second.toLongLong(&whole);
                if (!whole)
                    throw ConvertError(QStringLiteral("'%1' is not a valid vault number.").arg(row.second));
                return Statements::VaultRewrite(vaults, row.account, row.second, literal);
            }));
    }
    return sources;
}

ContainerWalk::Rewrite ConvertRow(const ContainerWalk::Row& row) {
    using Action = ContainerWalk::Rewrite::Action;
    const int records = ContainerWalk::RecordsOf(row.kind);
    ContainerWalk::Rewrite out;
    const QString text = BytesToHex(row.column);
    switch (Classify(text, records)) {
    case ColumnState::Narrow:
        out.action = Action::Write;
        out.columnText = ConvertColumn(text, records).mid(2);
        out.count = 1;
        break;
    case ColumnState::AlreadyWide:
        // Left alone and counted as wide in its own right, not as whatever
        // is neither converted nor malformed.
        out.action = Action::WrongWidth;
        break;
    case ColumnState::Malformed:
        out.action = Action::Malformed;
        break;
    }
    return out;
}

void Walk(ContainerWalk::Walker& walker) {
    for (const ContainerWalk::Source& source : Sources(VaultSettings::Read()))
        walker.Walk(source, ConvertRow);
}

Result ResultOf(const ContainerWalk::Walker& walker) {
    const ContainerWalk::Counts total = walker.total();
    Result result;
    result.converted = total.written;
    result.skipped = total.malformed;
    result.alreadyWide = total.wrongWidth;
    result.stopped = walker.stopped();
    return result;
}

Result Run(ContainerWalk::Listener& listener, const ContainerWalk::Options& options) {
    ContainerWalk::Walker walker(gameDatabase(), options, listener);
    Walk(walker);
    return ResultOf(walker);
}

} // namespace ItemConversion
