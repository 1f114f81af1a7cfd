#include "ReadyDemo.h"

#include "app/AuthenticationUnit.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "tools/DemoBuilder.h"
#include "widgets/ModalOpener.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <sqlite3.h>
#include <stdexcept>

namespace {

const char* kOperators = R"(
CREATE TABLE MANG_INFO (mang_guid INTEGER PRIMARY KEY AUTOINCREMENT, mang___id TEXT COLLATE NOCASE NOT NULL,
  mang__pwd TEXT NOT NULL, mang_name TEXT NOT NULL, auth_code INTEGER NOT NULL, appl_day TEXT,
  bloc_code INTEGER NOT NULL, perm INTEGER NOT NULL);
INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm)
  VALUES ('admin', 'Secret', 'Administrator', 0, '2024-01-02 03:04:05.000', 0, 1);
)";

void createOperators(const QString& file) {
    sqlite3* db = nullptr;
    char* error = nullptr;
    const bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, kOperators, nullptr, nullptr, &error) == SQLITE_OK;
    const std::string message = error ? error : "cannot create the operator database";
    sqlite3_free(error);
    sqlite3_close(db);
    if (!ok)
        throw std::runtime_error(message);
}

long statusKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

ReadyDemo::ReadyDemo(const QString& dir) : m_path(dir.isEmpty() ? m_temp.path() : dir) {
    const bool build = dir.isEmpty();
    AppPaths::SetOverride(m_path);
    qputenv("ODBCINI", (m_path + QStringLiteral("/odbc.ini")).toLocal8Bit());
    if (!build)
        return;
    DemoBuilder::PrepareDemo(m_path, QStringLiteral(TANOR_RESOURCES));
    createOperators(m_path + QStringLiteral("/Databases/Operators.db"));
    RegisterOperatorDataSource(QStringLiteral("Operators"));
    WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::Vorn), QStringLiteral("VornMNG"));
    DemoBuilder::UseDemoDataSources(m_path);
    WriteSettingInt(SettingsName::kInternal, SettingsName::kSetup, 1);
}

void ReadyDemo::SignInAutomatically() {
    ModalOpener::SetHook([](QDialog* dialog) {
        auto* signIn = qobject_cast<TAuthenticationForm*>(dialog);
        if (!signIn)
            throw std::runtime_error("an unexpected window opened at start-up");
        signIn->findChild<QLineEdit*>(QStringLiteral("AdminID"))->setText(QStringLiteral("admin"));
        signIn->findChild<QLineEdit*>(QStringLiteral("Pass"))->setText(QStringLiteral("Secret"));
        signIn->findChild<QAbstractButton*>(QStringLiteral("Connect"))->click();
    });
}

long ResidentKiB() {
    return statusKiB("VmRSS:");
}

int OpenDatabaseFiles() {
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System)) {
        if (QFile::symLinkTarget(fds.filePath(fd)).endsWith(QLatin1String(".db")))
            ++n;
    }
    return n;
}
