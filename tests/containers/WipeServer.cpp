#include "WipeServer.h"

#include "core/UtilitiesUnit.h"
#include "tools/DemoBuilder.h"

#include <sqlite3.h>

#include <stdexcept>

namespace WipeServer {

namespace {

const char* kGame = R"(
CREATE TABLE Character (Name TEXT COLLATE NOCASE PRIMARY KEY, AccountID TEXT COLLATE NOCASE, Inventory BLOB);
CREATE TABLE Warehouse (AccountID TEXT COLLATE NOCASE PRIMARY KEY, Items BLOB, Money INTEGER DEFAULT 0);
CREATE TABLE ExtWarehouse (AccountID TEXT COLLATE NOCASE, Items BLOB, Number INTEGER);
)";

const char* kCatalogue = R"(
INSERT INTO Item (Name, Type, ID, "Unique", Code32, ID2, Unique2, x, y, SetNumber, SetItem, ExcOptionType, WearTo) VALUES
  ('Kukri', 'Swords', '01', 0, '00', '01', 0, 1, 2, 0, 'any', 'we', 'OR'),
  ('Leather Armor', 'Armors', '05', 8, '00', '05', 8, 2, 2, 0, 'any', 'ar', 'armor'),
  ('Jewel of Dawn', 'Jewels', 'CD', 8, '00', '0D', 14, 1, 1, 0, 'any', 'any', ''),
  ('Odd Kind', 'Misc', '10', 0, '00', '10', 0, 1, 1, 0, 'any', 'zz', ''),
  ('Staff of O''Brien', 'Staffs', 'A3', 0, 'F9', '03', 5, 1, 3, 0, 'any', 'wi', 'OR');
)";

QString hex(const QByteArray& bytes) {
    return QStringLiteral("X'") + BytesToHex(bytes) + QStringLiteral("'");
}

} // namespace

QString Create(TestEnvironment& env, int version) {
    const QString file = env.createServer(QStringLiteral("Game"), QString::fromLatin1(kGame));
    TestEnvironment::execRaw(env.path(QStringLiteral("TanorEditor.mdb")),
                             DemoBuilder::CatalogueSchema() + QString::fromLatin1(kCatalogue));
    WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), version);
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("Table"), QString::fromLatin1(kVaultTable));
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnItems"), QStringLiteral("Items"));
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnAccount"), QStringLiteral("AccountID"));
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnNumber"), QStringLiteral("Number"));
    SetVaults(0);
    return file;
}

void SetVaults(int enabled) {
    WriteSettingInt(QStringLiteral("Vaults"), QStringLiteral("Enabled"), enabled);
}

QByteArray Record(int width, std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray r(width, '\0');
    for (auto [index, value] : bytes)
        r[index] = char(value);
    return r;
}

QByteArray Column(int width, int records, std::initializer_list<std::pair<int, QByteArray>> items) {
    QByteArray c(width * records, char(0xFF));
    for (const auto& [position, bytes] : items)
        c.replace(position * width, width, bytes);
    return c;
}

void AddCharacter(const QString& file, const QString& name, const QString& account,
                  const QByteArray* inventory) {
    TestEnvironment::execRaw(
        file, QStringLiteral("INSERT INTO Character VALUES (%1, %2, %3)")
                  .arg(Q(name), Q(account), inventory ? hex(*inventory) : QStringLiteral("NULL")));
}

void AddWarehouse(const QString& file, const QString& account, const QByteArray& items) {
    TestEnvironment::execRaw(file, QStringLiteral("INSERT INTO Warehouse (AccountID, Items) VALUES (%1, %2)")
                                       .arg(Q(account), hex(items)));
}

void AddVault(const QString& file, const QString& account, int number, const QByteArray& items) {
    TestEnvironment::execRaw(file, QStringLiteral("INSERT INTO ExtWarehouse VALUES (%1, %2, %3)")
                                       .arg(Q(account), hex(items))
                                       .arg(number));
}

QString Scalar(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.toStdString());
    sqlite3_stmt* st = nullptr;
    QString out = QStringLiteral("<no row>");
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(error);
    }
    if (sqlite3_step(st) == SQLITE_ROW)
        out = sqlite3_column_type(st, 0) == SQLITE_NULL
                  ? QStringLiteral("<null>")
                  : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

} // namespace WipeServer
