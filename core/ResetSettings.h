#pragma once

#include <QString>

// The reset counts some servers keep in a table of their own, named by
// section Resets of the settings. Read afresh by every window that shows
// them, so a change made in the settings window is seen at once.
struct ResetSettings {
    static constexpr QLatin1String kSection{"Resets"};
    static constexpr QLatin1String kTable{"Table"};
    static constexpr QLatin1String kColumnCharacter{"ColumnCharacter"};
    static constexpr QLatin1String kColumnResets{"ColumnResets"};

    // Enabled as stored: the character editor uses the counts when it is 1,
    // the ranking whenever it is not 0.
    int enabled = 0;
    QString table;           // Table
    QString columnCharacter; // ColumnCharacter
    QString columnResets;    // ColumnResets

    [[nodiscard]] static ResetSettings Read();

    // The names go into statements unquoted: each must be a plain
    // identifier. Returns the first offending setting's key, or empty.
    [[nodiscard]] QString InvalidName() const;
};
