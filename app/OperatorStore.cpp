#include "app/OperatorStore.h"

#include "app/ShellStatements.h"
#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "platform/OdbcRegistry.h"
#include "platform/TanorError.h"

namespace OperatorStore {

std::optional<OperatorRecord> Load(const QString& id) {
    const Query row = OpenOn(DataSource::Vorn, ShellStatements::OperatorRow(id));
    if (row.Eof())
        return std::nullopt;
    // The table's columns in their created order: mang_guid, mang___id,
    // mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm.
    OperatorRecord record;
    record.number = row.Fields(0).AsString();
    record.name = row.Fields(3).AsString();
    record.authority = row.Fields(4).AsString();
    record.date = row.Fields(5).isNull() ? QString() : DateTimeToSecond(row.Fields(5).value());
    record.blocked = row.Fields(6).AsString();
    record.permission = row.Fields(7).AsString();
    return record;
}

PasswordChange ChangePassword(const QString& id, const QString& oldPassword, const QString& newPassword) {
    const Query stored = OpenOn(DataSource::Vorn, ShellStatements::OperatorPassword(id));
    if (oldPassword != stored.Fields(0).AsString())
        return PasswordChange::WrongOldPassword;
    ExecOn(DataSource::Vorn, ShellStatements::ChangeOperatorPassword(id, newPassword));
    return PasswordChange::Changed;
}

AddResult Add(const QString& id, const QString& password, const QString& name) {
    if (!OpenOn(DataSource::Vorn, ShellStatements::OperatorRow(id)).IsEmpty())
        return AddResult::IdExists;
    ExecOn(DataSource::Vorn, ShellStatements::AddOperator(id, password, name));
    return AddResult::Added;
}

QStringList OtherOperatorIds() {
    return ListOn(DataSource::Vorn, ShellStatements::OtherOperatorIds());
}

void Remove(const QString& id) {
    ExecOn(DataSource::Vorn, ShellStatements::DeleteOperator(id));
}

std::optional<QString> SetUp(const QString& database, const QString& id, const QString& password) {
    RegisterOperatorDataSource(database);
    (void)OdbcRegistry::Write(QString::fromLatin1(kOperatorDataSource), QStringLiteral("Setup"),
                              QStringLiteral("1"));
    WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::Vorn),
                 QString::fromLatin1(kOperatorDataSource));
    try {
        ExecOn(DataSource::Vorn, ShellStatements::CreateOperatorTable());
    } catch (const std::exception&) {
        // The table may exist already: then only the operator is added.
    }
    try {
        ExecOn(DataSource::Vorn, ShellStatements::AddFirstOperator(id, password));
    } catch (const TanorError& e) {
        return e.text();
    }
    return std::nullopt;
}

bool TableReadable() {
    Query test;
    try {
        test.SetConnectionString(BuildConnectionString(DataSource::Vorn));
    } catch (const std::exception&) {
        WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::Vorn),
                     QString::fromLatin1(kOperatorDataSource));
        test.SetConnectionString(BuildConnectionString(DataSource::Vorn));
    }
    try {
        test.SetText(ShellStatements::AllOperators());
        test.Open();
        test.Close();
    } catch (...) {
        return false;
    }
    return true;
}

} // namespace OperatorStore
