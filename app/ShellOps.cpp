#include "app/ShellOps.h"

#include "app/ShellStatements.h"
#include "core/QueryHelpers.h"

namespace ShellOps {

QStringList AccountNames() {
    return ListOn(DataSource::Account, ShellStatements::AccountNames());
}

QStringList GuildNames() {
    return ListOn(DataSource::TanorOnline, ShellStatements::GuildNames());
}

QStringList CharactersOfAccount(const QString& account) {
    return ListOn(DataSource::TanorOnline, ShellStatements::CharactersOfAccount(account));
}

QStringList SlotNames(const QString& account) {
    const Query row = OpenOn(DataSource::TanorOnline, ShellStatements::AccountCharacterRow(account));
    QStringList names;
    if (row.Eof())
        return names;
    for (int slot = 1; slot <= 5; ++slot) {
        const QString name = row.FieldByName(QStringLiteral("GameID%1").arg(slot)).AsString();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QString GuildOf(const QString& character) {
    const Query guild = OpenOn(DataSource::TanorOnline, ShellStatements::GuildOfCharacter(character));
    return guild.IsEmpty() ? QString() : guild.FieldByName(QStringLiteral("G_Name")).AsString();
}

bool HasFriendList(const QString& character) {
    return !OpenOn(DataSource::TanorOnline, ShellStatements::FriendListOf(character)).IsEmpty();
}

QString OwnerOf(const QString& character) {
    const Query owner = OpenOn(DataSource::TanorOnline, ShellStatements::OwnerOfCharacter(character));
    return owner.FieldByName(QStringLiteral("AccountID")).AsString();
}

void DeleteAccount(const QString& account) {
    ExecOn(DataSource::Account, ShellStatements::DeleteAccountInfo(account));
    ExecOn(DataSource::TanorOnline, ShellStatements::DeleteAccountCharacterRow(account));
    ExecOn(DataSource::TanorOnline, ShellStatements::DeleteCharactersOfAccount(account));
}

int DeleteCharacter(const QString& account, const QString& character) {
    ExecOn(DataSource::TanorOnline, ShellStatements::DeleteCharacter(character));
    ExecOn(DataSource::TanorOnline, ShellStatements::DeleteGuildsLedBy(character));
    ExecOn(DataSource::TanorOnline, ShellStatements::DeleteGuildMembership(character));

    int slotOfCharacter = 0;
    {
        const Query slots = OpenOn(DataSource::TanorOnline, ShellStatements::CharacterSlots(account));
        if (!slots.Eof()) {
            for (int slot = 1; slot <= 5; ++slot) {
                if (slots.Fields(slot - 1).AsString() == character)
                    slotOfCharacter = slot;
            }
        }
    }
    if (slotOfCharacter != 0)
        ExecOn(DataSource::TanorOnline, ShellStatements::ClearCharacterSlot(slotOfCharacter, account));
    return slotOfCharacter;
}

void DeleteGuild(const QString& guild) {
    // The procedure answers with a result row; a guild already gone leaves
    // nothing to report, so the row is not read.
    (void)OpenOn(DataSource::TanorOnline, ShellStatements::DeleteGuild(guild));
}

QString Count(Counter counter) {
    switch (counter) {
    case Counter::Accounts:
        return ListOn(DataSource::Account, ShellStatements::CountAccounts()).value(0);
    case Counter::Guilds:
        return ListOn(DataSource::TanorOnline, ShellStatements::CountGuilds()).value(0);
    case Counter::ConnectedAccounts:
        return ListOn(DataSource::Account, ShellStatements::CountConnectedAccounts()).value(0);
    }
    return {};
}

} // namespace ShellOps
