#pragma once

#include "accounts/CharacterCodes.h"
#include "core/ResetSettings.h"

#include <QMap>
#include <QString>

#include <optional>

// The character editor's reads and writes on the game database. The editor
// gathers its fields, calls one of these and shows the result.
namespace CharacterStore {

struct GuildMembership {
    QString guild;  // G_Name
    QString status; // as the guild box shows it
    QString level;  // G_Level
};

// A character as the editor shows it.
struct CharacterRecord {
    // The text of every number field as stored (NULL reads as empty), by
    // the field's name in CharacterCodes::NumberRules; "Reset" is the
    // caller's to add from LoadResets.
    QMap<QString, QString> numbers;
    QString life; // shown, never saved
    QString mana; // shown, never saved
    // Codes shown through a list; nothing for NULL. A stored code the lists
    // do not know is kept as it is, so that it can be written back.
    std::optional<int> classCode;
    std::optional<int> ctlCode;
    std::optional<int> pkLevel;
    std::optional<int> map;
    QString questPrefix;                  // the first two bytes of Quest
    std::optional<GuildMembership> guild; // nothing: in no guild
};

// Whether `account` has a row on the account database.
[[nodiscard]] bool AccountExists(const QString& account);
// The character's row and its guild membership; nothing when no character
// has that name.
[[nodiscard]] std::optional<CharacterRecord> Load(const QString& character);
// The stored reset count as text; empty without a row. `names` must have
// passed ResetSettings::InvalidName.
[[nodiscard]] QString LoadResets(const ResetSettings& names, const QString& character);

// The editor's fields at "Save".
struct CharacterEdit {
    QString name;
    // The text every number field shows, by its name in NumberRules;
    // "Reset" only while the resets are shown.
    QMap<QString, QString> shown;
    // List positions chosen; -1 (nothing chosen) writes the stored code back.
    int classItem = -1;
    int statusItem = -1;
    int pkLevelItem = -1;
    int mapItem = -1;
    QString questPrefix;
};

enum class SaveResult {
    Saved,
    // A number field does not hold a number its column takes; nothing was sent.
    Refused,
    // No row changed: the character is gone under that name.
    CharacterMissing,
};
struct SaveOutcome {
    SaveResult result = SaveResult::Saved;
    // Refused: the field.
    std::optional<CharacterCodes::NumberRule> refused;
    // Saved: the reset count to write with SaveResets; none when the resets
    // are not shown or the field is empty (no reset row).
    std::optional<qint64> resets;
};
// Checks every number against `loaded` (a field still showing what was
// stored writes that back), then writes the character's row.
[[nodiscard]] SaveOutcome Save(const CharacterRecord& loaded, const CharacterEdit& edit);
void SaveResets(const ResetSettings& names, const QString& character, qint64 resets);

} // namespace CharacterStore
