#include "accounts/AccountOps.h"

#include "accounts/AccountStatements.h"
#include "core/QueryHelpers.h"
#include "platform/TanorError.h"

namespace AccountOps {

using namespace AccountStatements;

CreateOutcome Create(const NewAccount& account, Hashing hashing) {
    if (!OpenOn(DataSource::Account, FindAccount(account.account)).IsEmpty())
        return {CreateResult::Exists, QString()};
    ExecOn(DataSource::Account, InsertAccount(account, hashing));
    if (hashing == Hashing::Enabled) {
        try {
            ExecOn(DataSource::Account, HashPassword(account.password, account.account));
        } catch (const DbError& e) {
            // The row stays: the caller reports it as created so that it is
            // listed and its password can be set in the editing window.
            return {CreateResult::CreatedWithoutPassword, e.text()};
        }
    }
    return {CreateResult::Created, QString()};
}

std::optional<StoredAccount> Load(const QString& account) {
    Query row = OpenOn(DataSource::Account, LoadAccount(account));
    if (row.IsEmpty())
        return std::nullopt;
    const auto text = [&row](const char* column) {
        return row.FieldByName(QLatin1String(column)).AsString();
    };
    StoredAccount stored;
    stored.password = text("memb__pwd");
    stored.name = text("memb_name");
    stored.mail = text("mail_addr");
    const Field personalId = row.FieldByName(QStringLiteral("sno__numb"));
    if (!personalId.isNull())
        stored.personalId = personalId.AsString();
    stored.question = text("fpas_ques");
    stored.answer = text("fpas_answ");
    return stored;
}

SaveResult Save(const AccountChange& change) {
    if (!change.newPassword.isEmpty()) {
        if (change.hashing == Hashing::Enabled) {
            // The procedure reports no row count; the field update below
            // tells whether the account is still there.
            ExecOn(DataSource::Account, HashPassword(change.newPassword, change.account));
        } else if (ExecOn(DataSource::Account, SetPlainPassword(change.account, change.newPassword)) == 0) {
            return SaveResult::AccountMissing;
        }
    }
    const qint64 rows =
        ExecOn(DataSource::Account, UpdateAccountFields(change.account, change.name, change.mail,
                                                        change.personalId, change.question, change.answer));
    return rows == 0 ? SaveResult::AccountMissing : SaveResult::Saved;
}

} // namespace AccountOps
