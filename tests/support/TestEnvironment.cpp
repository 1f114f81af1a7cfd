#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/OdbcRegistry.h"

#include "tools/DemoBuilder.h"
#include <QDir>
#include <QFile>
#include <sqlite3.h>

TestEnvironment::TestEnvironment()
    : m_oldOdbcIni(qgetenv("ODBCINI")), m_hadOdbcIni(qEnvironmentVariableIsSet("ODBCINI")) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("Databases"));
    AppPaths::SetOverride(m_dir.path());
    qputenv("ODBCINI", odbcIni().toLocal8Bit());
}

TestEnvironment::~TestEnvironment() {
    ConnectionPool::instance().closeAll();
    AppPaths::SetOverride(QString());
    if (m_hadOdbcIni)
        qputenv("ODBCINI", m_oldOdbcIni);
    else
        qunsetenv("ODBCINI");
}

QString TestEnvironment::path(const QString& relative) const {
    return m_dir.filePath(relative);
}

void TestEnvironment::execRaw(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.toStdString());
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQL failed on " + file.toStdString() + ": " + message);
}

QString TestEnvironment::createDatabase(const QString& name, const QString& sql) {
    const QString file = path(QStringLiteral("Databases/") + name + QStringLiteral(".db"));
    execRaw(file, sql.isEmpty() ? QStringLiteral("PRAGMA user_version=1;") : sql);
    return file;
}

void TestEnvironment::registerDataSource(const QString& dsn, const QString& file) {
    if (!OdbcRegistry::Write(dsn, QStringLiteral("Driver"), QStringLiteral("SQLite3")) ||
        !OdbcRegistry::Write(dsn, QStringLiteral("Database"), file))
        throw std::runtime_error("cannot register data source " + dsn.toStdString());
}

void TestEnvironment::useDataSource(const QString& key, const QString& dsn) {
    WriteSetting(QStringLiteral("ODBCConnection"), key, dsn);
}

QString TestEnvironment::createServer(const QString& dsn, const QString& sql) {
    const QString file = createDatabase(dsn, sql);
    registerDataSource(dsn, file);
    for (const char* key : {"AccountDNS", "TanorOnlineDNS", "TanorLogDNS", "RankingDNS"})
        useDataSource(QString::fromLatin1(key), dsn);
    return file;
}

namespace {

// The demo built once per test program; tests get copies.
const QString& demoTemplate() {
    static QTemporaryDir dir;
    static bool built = false;
    if (!built) {
        const QString resources = QStringLiteral(TANOR_SOURCE_DIR "/resources");
        QDir(dir.path()).mkpath(QStringLiteral("Databases"));
        DemoBuilder::BuildDatabase(resources, QStringLiteral("TanorOnline"),
                                   dir.filePath(QStringLiteral("Databases/TanorOnline.db")));
        DemoBuilder::BuildDatabase(resources, QStringLiteral("Ranking"),
                                   dir.filePath(QStringLiteral("Databases/Ranking.db")));
        DemoBuilder::BuildCatalogue(resources, dir.filePath(QStringLiteral("TanorEditor.mdb")));
        built = true;
    }
    static const QString path = dir.path();
    return path;
}

void copyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error("cannot copy " + from.toStdString());
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

void TestEnvironment::buildCatalogue() {
    copyFile(demoTemplate() + QStringLiteral("/TanorEditor.mdb"), path(QStringLiteral("TanorEditor.mdb")));
}

void TestEnvironment::buildDemo() {
    for (const char* name : {"TanorOnline.db", "Ranking.db"})
        copyFile(demoTemplate() + QStringLiteral("/Databases/") + QLatin1String(name),
                 path(QStringLiteral("Databases/") + QLatin1String(name)));
    buildCatalogue();
    DemoBuilder::PrepareDemo(dir(), QStringLiteral(TANOR_SOURCE_DIR "/resources"));
    DemoBuilder::UseDemoDataSources(dir());
}
