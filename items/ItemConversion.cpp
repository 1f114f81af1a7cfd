#include "items/ItemConversion.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemRecord.h"
#include "platform/Query.h"

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

bool VaultsEnabled() {
    return ReadSettingInt(QStringLiteral("Vaults"), QStringLiteral("Enabled")) == 1;
}

namespace {

QString gameDatabase() {
    return BuildConnectionString(DataSource::TanorOnline);
}

QString vaultSetting(const char* key) {
    return ReadSetting(QStringLiteral("Vaults"), QString::fromLatin1(key));
}

int countOf(const QString& sql, int column) {
    Query q;
    q.SetConnectionString(gameDatabase());
    q.SetText(sql);
    q.Open();
    return q.Fields(column).AsInteger();
}

// One walk: `read` yields rows whose column `itemsColumn` holds the items;
// `update` builds the statement that writes a row's literal.
void walk(Walk which, const QString& read, int itemsColumn, int records,
          const std::function<QString(const Query&, const QString&)>& update, const Listener& listener,
          Result& result) {
    Query reader;
    reader.SetConnectionString(gameDatabase());
    reader.SetText(read);
    reader.Open();
    Query writer;
    for (int row = 1; !reader.Eof(); ++row, reader.Next()) {
        const QString text = BytesToHex(reader.Fields(itemsColumn).AsBytes());
        if (listener.rowRead)
            listener.rowRead(which, row);
        switch (Classify(text, records)) {
        case ColumnState::Narrow:
            writer.SetConnectionString(gameDatabase());
            writer.SetText(update(reader, ConvertColumn(text, records)));
            writer.ExecSQL();
            ++result.converted;
            break;
        case ColumnState::AlreadyWide:
            ++result.alreadyWide;
            break;
        case ColumnState::Malformed:
            ++result.skipped;
            break;
        }
        if (listener.rowDone)
            listener.rowDone(which, row);
    }
}

} // namespace

Totals ReadTotals() {
    Totals totals;
    Query q;
    q.SetConnectionString(gameDatabase());
    q.SetText(QStringLiteral("SELECT count(*), (SELECT Count(*) From Character) FROM Warehouse"));
    q.Open();
    totals.warehouses = q.Fields(0).AsInteger();
    totals.characters = q.Fields(1).AsInteger();
    q.Close();
    if (VaultsEnabled())
        totals.vaults = countOf(QStringLiteral("SELECT count(*) FROM ") + vaultSetting("Table"), 0);
    return totals;
}

Result Run(const Listener& listener) {
    Result result;
    walk(
        Walk::Characters, QStringLiteral("SELECT AccountID, Name, Inventory FROM Character"), 2,
        kInventoryRecords,
        [](const Query& row, const QString& literal) {
            return QStringLiteral("UPDATE Character SET Inventory=") + literal +
                   QStringLiteral(" WHERE (AccountID=") + Q(row.Fields(0).AsString()) +
                   QStringLiteral(") AND (Name=") + Q(row.Fields(1).AsString()) + QStringLiteral(")");
        },
        listener, result);
    walk(
        Walk::Warehouses, QStringLiteral("SELECT AccountID, Items FROM Warehouse"), 1, kWarehouseRecords,
        [](const Query& row, const QString& literal) {
            return QStringLiteral("UPDATE Warehouse SET Items=") + literal +
                   QStringLiteral(" WHERE (AccountID=") + Q(row.Fields(0).AsString()) + QStringLiteral(")");
        },
        listener, result);
    if (!VaultsEnabled())
        return result;
    const QString table = vaultSetting("Table");
    const QString account = vaultSetting("ColumnAccount");
    const QString items = vaultSetting("ColumnItems");
    const QString number = vaultSetting("ColumnNumber");
    walk(
        Walk::ExtraVaults,
        QStringLiteral("SELECT ") + account + QLatin1Char(',') + items + QLatin1Char(',') + number +
            QStringLiteral(" FROM ") + table,
        1, kWarehouseRecords,
        [&](const Query& row, const QString& literal) {
            return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + items + QLatin1Char('=') +
                   literal + QStringLiteral(" WHERE (") + account + QLatin1Char('=') +
                   Q(row.Fields(0).AsString()) + QStringLiteral(") AND (") + number + QLatin1Char('=') +
                   row.Fields(2).AsString() + QLatin1Char(')');
        },
        listener, result);
    return result;
}

} // namespace ItemConversion
