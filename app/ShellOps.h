#pragma once

#include <QString>
#include <QStringList>

// What the main window reads and deletes on the game databases: it calls one
// of these per command and shows the result. A failing statement throws
// DbError; what ran before it stays done.
namespace ShellOps {

[[nodiscard]] QStringList AccountNames();
[[nodiscard]] QStringList GuildNames();
// Every character row of the account, slotted or not.
[[nodiscard]] QStringList CharactersOfAccount(const QString& account);
// The names in the account's five character slots, in slot order, empty
// slots skipped.
[[nodiscard]] QStringList SlotNames(const QString& account);
// The guild the character is a member of; empty for none.
[[nodiscard]] QString GuildOf(const QString& character);
// Whether the friend system knows the character (it then has a friend list).
[[nodiscard]] bool HasFriendList(const QString& character);
// The account the character belongs to; empty for none.
[[nodiscard]] QString OwnerOf(const QString& character);

// The account's row, its character slots and its characters.
void DeleteAccount(const QString& account);
// The character, the guilds it leads and its membership, then its slot on
// the account. Returns the slot cleared (the later one if it stands in
// two), 0 when it stands in none: an update without its SET line would
// only be refused by the server, so none is sent then.
int DeleteCharacter(const QString& account, const QString& character);
// The server's procedure deletes the guild with its members.
void DeleteGuild(const QString& guild);

enum class Counter { Accounts, Guilds, ConnectedAccounts };
// The counter's value as the server gives it.
[[nodiscard]] QString Count(Counter counter);

} // namespace ShellOps
