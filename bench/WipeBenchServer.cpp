#include "WipeBenchServer.h"

#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/OdbcRegistry.h"
#include "tools/DemoBuilder.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace {

const char* kSchema = R"(
PRAGMA journal_mode=WAL;
CREATE TABLE Character (Name TEXT COLLATE NOCASE PRIMARY KEY, AccountID TEXT COLLATE NOCASE, Inventory BLOB);
CREATE TABLE Warehouse (AccountID TEXT COLLATE NOCASE PRIMARY KEY, Items BLOB);
)";

const char* kCatalogue = R"(
INSERT INTO Item (Name, Type, ID, "Unique", Code32, ID2, Unique2, x, y, SetNumber, SetItem, ExcOptionType, WearTo) VALUES
  ('Spear', 'Spears', '61', 0, '00', '01', 3, 1, 4, 0, 'any', 'we', 'OR');
)";

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

// A column of `records` 10-byte records: an item on every third position,
// none of type 3, and a spear at position 50 when `spear`.
QByteArray column(int records, bool spear, std::mt19937& rng) {
    QByteArray c(records * 10, char(0xFF));
    for (int k = 0; k < records; k += 3) {
        char* r = c.data() + k * 10;
        int id = int(rng() % 256);
        const bool high = rng() % 2;
        if (!high && id / 32 == 3)
            id = 0x12;
        const quint32 serial = rng();
        const unsigned char bytes[10] = {quint8(id),
                                         quint8(rng() % 256),
                                         0xFF,
                                         quint8(serial >> 24),
                                         quint8(serial >> 16),
                                         quint8(serial >> 8),
                                         quint8(serial),
                                         quint8((high ? 0x80 : 0) | (rng() % 64)),
                                         0,
                                         0};
        std::memcpy(r, bytes, 10);
    }
    if (spear) {
        const unsigned char bytes[10] = {0x61, 0x20, 0xFF, 0, 0, 0, 1, 0x01, 0, 0};
        std::memcpy(c.data() + 50 * 10, bytes, 10);
    }
    return c;
}

void generate(const QString& file, int rows, int* planted) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create the server");
    exec(db, kSchema);
    exec(db, "BEGIN");
    std::mt19937 rng(7);
    sqlite3_stmt* character = nullptr;
    sqlite3_stmt* warehouse = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Character VALUES (?, ?, ?)", -1, &character, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO Warehouse VALUES (?, ?)", -1, &warehouse, nullptr);
    for (int i = 0; i < rows; ++i) {
        const bool spear = i % 10 == 0;
        *planted += spear ? 2 : 0;
        const QByteArray account = QByteArray("account") + QByteArray::number(i);
        const QByteArray name = QByteArray("hero") + QByteArray::number(i);
        const QByteArray inventory = column(108, spear, rng);
        const QByteArray items = column(120, spear, rng);
        sqlite3_bind_text(character, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(character, 2, account.constData(), int(account.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(character, 3, inventory.constData(), int(inventory.size()), SQLITE_TRANSIENT);
        sqlite3_step(character);
        sqlite3_reset(character);
        sqlite3_bind_text(warehouse, 1, account.constData(), int(account.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(warehouse, 2, items.constData(), int(items.size()), SQLITE_TRANSIENT);
        sqlite3_step(warehouse);
        sqlite3_reset(warehouse);
    }
    sqlite3_finalize(character);
    sqlite3_finalize(warehouse);
    exec(db, "COMMIT");
    exec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    sqlite3_close(db);
}

} // namespace

WipeBenchServer::WipeBenchServer(int rows) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    QDir(dir()).mkpath(QStringLiteral("Databases"));
    Use(dir());
    generate(database(), rows, &m_planted);
    QFile::copy(database(), database() + QStringLiteral(".pristine"));
    sqlite3* cat = nullptr;
    sqlite3_open((dir() + QStringLiteral("/TanorEditor.mdb")).toUtf8().constData(), &cat);
    exec(cat, (DemoBuilder::CatalogueSchema() + QString::fromLatin1(kCatalogue)).toUtf8().constData());
    sqlite3_close(cat);
}

WipeBenchServer::~WipeBenchServer() {
    ConnectionPool::instance().closeAll();
    AppPaths::SetOverride(QString());
}

void WipeBenchServer::Use(const QString& folder) {
    AppPaths::SetOverride(folder);
    qputenv("ODBCINI", (folder + QStringLiteral("/odbc.ini")).toLocal8Bit());
    const QString file = folder + QStringLiteral("/Databases/Game.db");
    if (!OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Driver"), QStringLiteral("SQLite3")) ||
        !OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Database"), file))
        throw std::runtime_error("cannot register the data source");
    WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::TanorOnline), QStringLiteral("Game"));
    WriteSettingInt(SettingsName::kVersion, SettingsName::kVersion, 0);
    WriteSettingInt(VaultSettings::kSection, SettingsName::kEnabled, 0);
}

QString WipeBenchServer::database() const {
    return dir() + QStringLiteral("/Databases/Game.db");
}

void WipeBenchServer::restore() const {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(database() + QString::fromLatin1(suffix));
    if (!QFile::copy(database() + QStringLiteral(".pristine"), database()))
        throw std::runtime_error("cannot restore the server");
}

long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}
