#pragma once

#include "guilds/GuildMark.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the guild editor and guild creation do on the game database: the
// windows gather the fields, call one of these and show what it returns.
namespace GuildStore {

// A guild as the editor shows it.
struct StoredGuild {
    GuildMark::Cells mark{};
    QString notice;
    QString score;       // as stored; "0" for NULL
    QStringList members; // the master first
};
// The guild named `guild`, nothing when there is none.
[[nodiscard]] std::optional<StoredGuild> Load(const QString& guild);

// The editor's fields at "Save". The score is written as loaded while
// the field still shows it, else as typed.
struct GuildChange {
    QString guild;
    GuildMark::Cells mark{};
    QString notice;
    QString loadedScore;
    QString typedScore;
};
enum class SaveResult { Saved, ScoreNotWhole };
// A typed score that is not a whole number within the column's range
// refuses the save before anything is sent.
[[nodiscard]] SaveResult Save(const GuildChange& change);

// A member's character and rank (empty texts when the character is gone).
struct Member {
    QString account;
    QString level;
    QString className; // the class code's name
    QString strength;
    QString agility;
    QString vitality;
    QString energy;
    QString command;
    int rankItem = 0; // the "Member Level:" item of the member's rank
};
[[nodiscard]] Member LoadMember(const QString& member);
// Gives a member the rank of a "Member Level:" item; the master's item is
// never written.
void SetRank(const QString& member, int rankItem);
void Kick(const QString& member);

// The union a guild belongs to (0: none) and its guilds.
struct Union {
    int number = 0;
    QStringList guilds;
};
[[nodiscard]] Union LoadUnion(const QString& guild);

// Puts `picked` in `current`, the union of `guild`; returns why it cannot
// join, empty when it joined. With no union yet a new one is made, one
// above the highest in use, and `guild` joins it first. `current` follows
// every write as it is made, so after a failure it still tells what is
// stored.
[[nodiscard]] QString JoinUnion(const QString& guild, Union& current, const QString& picked);
// Takes a guild out of its union.
void LeaveUnion(const QString& guild);

enum class CreateResult {
    Created,
    NoSuchCharacter, // the master is no character
    Taken,           // the name or the master has a guild already
    NotCreated,      // the server's procedure made no guild
};
// Creates `guild` with its master and mark. The master's rank and the mark
// are written only once the guild is found under its master.
[[nodiscard]] CreateResult Create(const QString& guild, const QString& master, const GuildMark::Cells& mark);

} // namespace GuildStore
