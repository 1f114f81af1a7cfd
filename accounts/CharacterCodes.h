#pragma once

#include "core/ColumnNumber.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The code tables of the character windows and the rules that go with them.
// Controls are filled from these lists in order, so an item's position in
// its list is its position in the window.
namespace CharacterCodes {

struct CodeItem {
    QString caption;
    int code;
};

// "Character Type" of the character editor: every class.
[[nodiscard]] const std::vector<CodeItem>& Classes();
// "Character Type" of character creation: the base classes.
[[nodiscard]] const std::vector<CodeItem>& BaseClasses();
// "Character Status"; the item order is not the order of the codes.
[[nodiscard]] const std::vector<CodeItem>& Statuses();
// PK levels, stored as position + 1.
[[nodiscard]] const QStringList& PkLevels();
// Maps; the position is the map number.
[[nodiscard]] const QStringList& Maps();

// The position of `code` in `items`, -1 when it is not there.
[[nodiscard]] int IndexOfCode(const std::vector<CodeItem>& items, int code);
[[nodiscard]] QStringList Captions(const std::vector<CodeItem>& items);

// Stored values shown through a list position: PkLevel 1 to 6 shows at 0 to
// 5, MapNumber at its own number; anything else (or NULL) shows nothing.
[[nodiscard]] int PkLevelIndex(std::optional<int> stored);
[[nodiscard]] int MapIndex(std::optional<int> stored);

// ---- quest state: the first two bytes of Quest as four hexadecimal digits

struct QuestItem {
    QString caption;
    QString prefix;
};

[[nodiscard]] const std::vector<QuestItem>& Quests();
// The prefix of a stored Quest column. A column shorter than two bytes (or
// NULL) has no quest yet: the missing digits read as F.
[[nodiscard]] QString QuestPrefix(const QByteArray& stored);
// The item whose prefix this is, -1 for a variant the table does not know.
[[nodiscard]] int QuestIndex(const QString& prefix);
// The 50-byte column literal written on save: the prefix, then 48 bytes FF.
[[nodiscard]] QString QuestLiteral(const QString& prefix);
// The box shown when a stored prefix is a variant.
[[nodiscard]] QString QuestVariantWarning();

// ---- guild membership

// The member status as the guild box shows it.
[[nodiscard]] QString GuildStatusText(const QString& stored);

// ---- moving

// The whole table of the move procedure's codes followed by the result line
// ("0x0" and the code in decimal).
[[nodiscard]] QString MoveResultText(int code);

} // namespace CharacterCodes

namespace CharacterCodes {

// ---- typed numbers of the character editor

// A number field and the type of the column it is saved into.
struct NumberRule {
    QString control; // object name of the field
    QString label;   // what the operator reads beside it
    ColumnNumber::SqlType type;
};

// Every field saved as a number, in the order they are checked.
[[nodiscard]] const std::vector<NumberRule>& NumberRules();
using ColumnNumber::ParseWhole;
// The message naming a field whose text is not a number its column holds.
[[nodiscard]] QString NumberMessage(const NumberRule& rule);

} // namespace CharacterCodes
