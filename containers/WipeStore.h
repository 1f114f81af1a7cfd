#pragma once

#include <optional>

// What the wipe window runs on the game database outside the container walk:
// the totals of its progress lines and the wipe of every item at once.
namespace WipeStore {

// Rows of each kind; the vaults only while they are switched on.
struct Totals {
    int inventories = 0;
    int warehouses = 0;
    std::optional<int> vaults;
};
// Throws SettingsError when the vaults are on under names that are not
// plain names.
[[nodiscard]] Totals Load();

// Every inventory, warehouse and, when they are on, every extra vault
// becomes free records of the width the settings choose. The vault names
// are checked before anything is wiped.
void WipeEverything();

} // namespace WipeStore
