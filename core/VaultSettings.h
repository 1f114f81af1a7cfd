#pragma once

#include <QString>

// The extra vaults: a table of their own, named by section Vaults of the
// settings. Read afresh whenever a step needs them, so a change made in the
// settings window is seen by the next statement.
struct VaultSettings {
    static constexpr QLatin1String kSection{"Vaults"};
    static constexpr QLatin1String kTable{"Table"};
    static constexpr QLatin1String kItems{"ColumnItems"};
    static constexpr QLatin1String kAccount{"ColumnAccount"};
    static constexpr QLatin1String kNumber{"ColumnNumber"};

    bool enabled = false; // Enabled is exactly 1
    QString table;        // Table
    QString items;        // ColumnItems
    QString account;      // ColumnAccount
    QString number;       // ColumnNumber

    [[nodiscard]] static VaultSettings Read();
    // Only Vaults/Enabled, for callers that need nothing else.
    [[nodiscard]] static bool Enabled();

    // The names go into statements unquoted: each must be a plain
    // identifier. Returns the first offending setting's key, or empty.
    [[nodiscard]] QString InvalidName() const;
    // When the vaults are on and a name is not plain: throws SettingsError
    // naming the setting. Called before any statement that names the table.
    void RequirePlainNames() const;
};
