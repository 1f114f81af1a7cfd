#include "containers/WipeStore.h"

#include "containers/WalkStatements.h"
#include "core/QueryHelpers.h"
#include "core/VaultSettings.h"
#include "items/ItemRecord.h"

namespace WipeStore {

Totals Load() {
    const VaultSettings vaults = VaultSettings::Read();
    vaults.RequirePlainNames();
    const Query row = OpenOn(DataSource::TanorOnline, WalkStatements::Totals(vaults));
    Totals totals;
    totals.inventories = row.Fields(0).AsInteger();
    totals.warehouses = row.Fields(1).AsInteger();
    if (vaults.enabled)
        totals.vaults = row.Fields(2).AsInteger();
    return totals;
}

void WipeEverything() {
    const VaultSettings vaults = VaultSettings::Read();
    vaults.RequirePlainNames(); // before anything is wiped
    const ItemRecord::Width width = ItemRecord::CurrentWidth();
    const QString inventory = ItemRecord::EmptyColumnLiteral(ItemRecord::kInventoryRecords, width);
    const QString warehouse = ItemRecord::EmptyColumnLiteral(ItemRecord::kWarehouseRecords, width);
    QStringList statements{WalkStatements::WipeAllInventories(inventory),
                           WalkStatements::WipeAllWarehouses(warehouse)};
    if (vaults.enabled)
        statements << WalkStatements::WipeAllVaults(vaults, warehouse);
    for (const QString& statement : statements)
        (void)ExecOn(DataSource::TanorOnline, statement);
}

} // namespace WipeStore
