#pragma once

#include <QString>
#include <QStringList>

// The skill list editor's reads and writes: a character's MagicList named
// through the skill catalogue.
namespace SkillStore {

struct Opened {
    // The catalogue's skill classes, in the order it returns them.
    QStringList classes;
    // The character's skills in record order, by catalogue name. Empty
    // records and numbers the catalogue does not know give none; a missing
    // row or a NULL column gives an empty list.
    QStringList skills;
};
// What the window shows when it opens.
[[nodiscard]] Opened Open(const QString& character);

struct Saved {
    // False: no row changed (the character is gone); nothing was written.
    bool saved = false;
    // Listed skills the catalogue no longer names; written as empty records.
    QStringList vanished;
};
// Writes `skills` (catalogue names, in list order) as the whole column.
[[nodiscard]] Saved Save(const QString& character, const QStringList& skills);

} // namespace SkillStore
