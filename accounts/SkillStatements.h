#pragma once

#include <QString>
#include <QStringList>

// Statements of the skill list editor on the game database. The skill
// catalogue's own statements are in items/Catalogue.
namespace SkillStatements {

// The character's MagicList column.
[[nodiscard]] QString ReadSkills(const QString& character);

// Writes the whole column: three lines, the skill numbers of `numbers` in
// record order (see MagicList::Literal for what is refused).
[[nodiscard]] QStringList WriteSkills(const QString& character, const QStringList& numbers);

} // namespace SkillStatements
