#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A throw-away editor folder per test: settings file, private odbc.ini, the
// embedded server's Databases/ folder. Everything points back where it was
// when the environment goes.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] QString path(const QString& relative) const;
    [[nodiscard]] QString odbcIni() const { return path(QStringLiteral("odbc.ini")); }

    // Creates Databases/<name>.db and runs `sql` (a batch of SQLite
    // statements) on it. Returns the file.
    QString createDatabase(const QString& name, const QString& sql = QString());
    // Runs SQLite statements directly on a file, bypassing the editor.
    static void execRaw(const QString& file, const QString& sql);
    // Registers an embedded data source on `file`.
    void registerDataSource(const QString& dsn, const QString& file);
    // Points ODBCConnection/key at dsn.
    void useDataSource(const QString& key, const QString& dsn);
    // Creates a database, registers it under `dsn` and points the game,
    // account, log and ranking keys at it.
    QString createServer(const QString& dsn, const QString& sql);
    // The whole demo server from resources/: Databases/TanorOnline.db and
    // Ranking.db, the catalogue, every demo data source, the demo's feature
    // settings (vaults and resets on, Version 0) and every ODBCConnection key
    // pointed at "TanorOnline" ("Ranking" for RankingDNS). Built once per test
    // program and copied for each test.
    void buildDemo();
    // The catalogue alone, beside the "executable".
    void buildCatalogue();

private:
    QTemporaryDir m_dir;
    QByteArray m_oldOdbcIni;
    bool m_hadOdbcIni;
};

// Fixture with an environment per test.
class EnvTest : public ::testing::Test {
protected:
    TestEnvironment env;
};

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
