#pragma once

#include <QString>
#include <QStringList>

// Statements of the shell: the main window's lists, deletions and counters,
// and the operator table that the wizard, the sign-in and the administration
// window work on. One function per statement form; text values are quoted
// with Q here, never by the caller.
namespace ShellStatements {

// ---- operator table (MANG_INFO on the operator data source)

// The operator table as the server creates it; the embedded server's dialect
// turns it into its own DDL.
[[nodiscard]] QString CreateOperatorTable();
// Every operator: reading it tells whether the table exists.
[[nodiscard]] QString AllOperators();
// The first operator, created by the wizard: an administrator.
[[nodiscard]] QString AddFirstOperator(const QString& id, const QString& password);
// A further operator, created by the administration window.
[[nodiscard]] QString AddOperator(const QString& id, const QString& password, const QString& name);
// The operator's row, if it is not blocked (the sign-in).
[[nodiscard]] QString SignInRow(const QString& id);
// The operator's whole row (blocked or not).
[[nodiscard]] QString OperatorRow(const QString& id);
[[nodiscard]] QString OperatorPassword(const QString& id);
[[nodiscard]] QString ChangeOperatorPassword(const QString& id, const QString& password);
// The ids of every operator but the first.
[[nodiscard]] QString OtherOperatorIds();
[[nodiscard]] QString DeleteOperator(const QString& id);

// ---- lists of the main window

[[nodiscard]] QString AccountNames();
[[nodiscard]] QString GuildNames();
[[nodiscard]] QString CharactersOfAccount(const QString& account);
// The account's row of character slots (GameID1..5 by name).
[[nodiscard]] QString AccountCharacterRow(const QString& account);
// The five character slots of the account, in slot order.
[[nodiscard]] QString CharacterSlots(const QString& account);
[[nodiscard]] QString GuildOfCharacter(const QString& character);
[[nodiscard]] QString FriendListOf(const QString& character);
[[nodiscard]] QString OwnerOfCharacter(const QString& character);

// ---- deletions

[[nodiscard]] QString DeleteAccountInfo(const QString& account);
[[nodiscard]] QString DeleteAccountCharacterRow(const QString& account);
[[nodiscard]] QString DeleteCharactersOfAccount(const QString& account);
[[nodiscard]] QString DeleteCharacter(const QString& character);
[[nodiscard]] QString DeleteGuildsLedBy(const QString& character);
[[nodiscard]] QString DeleteGuildMembership(const QString& character);
// Empties character slot 1..5 of the account (the statement's lines).
[[nodiscard]] QStringList ClearCharacterSlot(int slot, const QString& account);
// The server's procedure that deletes a guild with its members.
[[nodiscard]] QString DeleteGuild(const QString& guild);

// ---- server counters

[[nodiscard]] QString CountAccounts();
[[nodiscard]] QString CountGuilds();
[[nodiscard]] QString CountConnectedAccounts();

} // namespace ShellStatements
