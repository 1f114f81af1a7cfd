#include "tools/DemoBuilder.h"

#include "core/DataSource.h"
#include "core/ResetSettings.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "platform/IniFile.h"
#include "platform/OdbcRegistry.h"
#include "tools/CsvReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(f.readAll());
}

// A raw SQLite connection for building: the builder writes databases before
// the editor's data layer ever sees them.
class Db {
public:
    explicit Db(const QString& file) {
        if (sqlite3_open(file.toUtf8().constData(), &m_db) != SQLITE_OK)
            throw std::runtime_error("cannot create " + file.toStdString());
    }
    ~Db() { sqlite3_close(m_db); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    void exec(const QString& sql, const QString& what) {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(what.toStdString() + ": " + message);
        }
    }

    class Statement {
    public:
        Statement(sqlite3* db, const char* sql) {
            if (sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr) != SQLITE_OK)
                throw std::runtime_error(std::string("cannot prepare: ") + sqlite3_errmsg(db));
        }
        ~Statement() { sqlite3_finalize(m_st); }
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        void text(int i, const QString& v) {
            const QByteArray b = v.toUtf8();
            sqlite3_bind_text(m_st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
        void integer(int i, qint64 v) { sqlite3_bind_int64(m_st, i, v); }
        void blob(int i, const QByteArray& v) {
            sqlite3_bind_blob(m_st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        }
        void run() {
            const int rc = sqlite3_step(m_st);
            sqlite3_reset(m_st);
            if (rc != SQLITE_DONE && rc != SQLITE_ROW)
                throw std::runtime_error(std::string("insert failed: ") +
                                         sqlite3_errmsg(sqlite3_db_handle(m_st)));
        }
        bool step() { return sqlite3_step(m_st) == SQLITE_ROW; }
        QString column(int i) const {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_st, i)));
        }
        int columnInt(int i) const { return sqlite3_column_int(m_st, i); }

    private:
        sqlite3_stmt* m_st = nullptr;
    };

    Statement prepare(const char* sql) { return Statement(m_db, sql); }

private:
    sqlite3* m_db = nullptr;
};

void replaceFile(const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(suffix));
}

void loadProcedures(Db& db, const QString& folder) {
    auto insert = db.prepare("INSERT INTO tanor_procedures (name, params, body) VALUES (?, ?, ?)");
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString text = readText(f.absoluteFilePath());
        const qsizetype eol = text.indexOf(QLatin1Char('\n'));
        const QString head = text.left(eol).trimmed();
        if (!head.startsWith(QLatin1String("-- params:")))
            throw std::runtime_error(f.fileName().toStdString() + ": first line must be \"-- params: ...\"");
        insert.text(1, f.completeBaseName());
        insert.text(2, head.mid(10).trimmed());
        insert.text(3, text.mid(eol + 1));
        insert.run();
    }
}

const DemoBuilder::DataSource kSources[] = {
    {"TanorOnline", "TanorOnline"},        {"Ranking", "Ranking"},
    {"TanorOnlineJoinDB", "TanorOnline"},  {"USELOG", "TanorOnline"},
    {"RMDB_CONNECTLOG", "TanorOnline"},    {"RANKING_DATA", "Ranking"},
    {"TANOR2003_EVENT_DB", "TanorOnline"},
};

struct CatalogueItem {
    int id = 0, unique = 0, code32 = 0, id2 = 0, unique2 = 0;
};

std::vector<CatalogueItem> catalogueItems(const QString& catalogue) {
    Db db(catalogue);
    auto q = db.prepare("SELECT ID, \"Unique\", Code32, ID2, Unique2 FROM Item");
    std::vector<CatalogueItem> items;
    while (q.step()) {
        CatalogueItem it;
        it.id = q.column(0).toInt(nullptr, 16);
        it.unique = q.columnInt(1);
        it.code32 = q.column(2).toInt(nullptr, 16);
        it.id2 = q.column(3).toInt(nullptr, 16);
        it.unique2 = q.columnInt(4);
        items.push_back(it);
    }
    if (items.empty())
        throw std::runtime_error("the catalogue has no items");
    return items;
}

// The serials a server hands out: six-digit ones behind the F9 marker and
// eight-digit ones above every six-digit value, so no two items share one.
struct Serials {
    quint32 marked = 1;
    quint32 plain = 0x01000000;
    quint32 next(bool f9) { return f9 ? marked++ & 0xFFFFFF : plain++; }
};

// One stored record of a catalogue item with random properties.
QByteArray makeRecord(const CatalogueItem& it, int width, Serials& serials, QRandomGenerator& rng) {
    QByteArray r(width, '\0');
    const int excellent = int(rng.bounded(4)) == 0 ? int(rng.bounded(64)) : 0;
    r[1] = char(rng.bounded(256));
    r[2] = char(rng.bounded(256));
    const bool f9 = width == 10 ? it.code32 == 0xF9 : it.id2 >= 32;
    const quint32 serial = serials.next(f9);
    r[3] = char(f9 ? 0xF9 : (serial >> 24) & 0xFF);
    r[4] = char((serial >> 16) & 0xFF);
    r[5] = char((serial >> 8) & 0xFF);
    r[6] = char(serial & 0xFF);
    static const char ancient[] = {0, 0, 0, 5, 9};
    r[8] = ancient[rng.bounded(5)];
    if (width == 10) {
        r[0] = char(it.id);
        r[7] = char((it.unique == 8 ? 0x80 : 0) | excellent);
    } else {
        r[0] = char(it.id2);
        r[7] = char(excellent);
        r[9] = char(it.unique2 << 4);
    }
    return r;
}

} // namespace

namespace DemoBuilder {

void BuildDatabase(const QString& resources, const QString& name, const QString& file) {
    replaceFile(file);
    Db db(file);
    const QString demo = resources + QStringLiteral("/demo");
    db.exec(readText(demo + QStringLiteral("/schema/") + name + QStringLiteral(".sql")), name + " schema");
    db.exec(QStringLiteral("BEGIN"), QStringLiteral("begin"));
    if (name.compare(QLatin1String("TanorOnline"), Qt::CaseInsensitive) == 0)
        loadProcedures(db, demo + QStringLiteral("/procedures"));
    db.exec(readText(demo + QStringLiteral("/seed/") + name + QStringLiteral(".sql")), name + " seed");
    db.exec(QStringLiteral("COMMIT"), QStringLiteral("commit"));
}

QString CatalogueSchema() {
    // "Unique" is quoted because it is a keyword of SQLite. The keys come
    // first and the name sixth: the catalogue editor gives its columns
    // widths by position, narrow ones for the keys and the widest for the
    // sixth column.
    return QStringLiteral(
        "CREATE TABLE Item (ID TEXT COLLATE NOCASE, \"Unique\" INTEGER, Code32 TEXT COLLATE NOCASE, "
        "ID2 TEXT COLLATE NOCASE, Unique2 INTEGER, Name TEXT COLLATE NOCASE, Type TEXT COLLATE NOCASE, "
        "x INTEGER, y INTEGER, SetNumber INTEGER, SetItem TEXT COLLATE NOCASE, "
        "ExcOptionType TEXT COLLATE NOCASE, WearTo TEXT COLLATE NOCASE);"
        "CREATE TABLE Skill (ID TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE, Class TEXT COLLATE NOCASE);");
}

void BuildCatalogue(const QString& resources, const QString& file) {
    replaceFile(file);
    Db db(file);
    db.exec(CatalogueSchema() + QStringLiteral("BEGIN;"), QStringLiteral("catalogue schema"));
    const QString dir = resources + QStringLiteral("/catalogue/");
    {
        // Rows go in by the names of the file's header, whatever its order.
        const QVector<QStringList> rows = CsvReader::ReadFile(dir + QStringLiteral("Item.csv"));
        if (rows.isEmpty() || rows.front().size() != 13)
            throw std::runtime_error("Item.csv: a header of 13 column names expected");
        QStringList columns;
        std::vector<bool> number;
        for (const QString& name : rows.front()) {
            if (!IsPlainIdentifier(name))
                throw std::runtime_error("Item.csv: a column name that is not a plain name in the header");
            columns << QLatin1Char('"') + name + QLatin1Char('"');
            number.push_back(QStringList{QStringLiteral("Unique"), QStringLiteral("Unique2"),
                                         QStringLiteral("x"), QStringLiteral("y"),
                                         QStringLiteral("SetNumber")}
                                 .contains(name, Qt::CaseInsensitive));
        }
        const QByteArray text = QStringLiteral("INSERT INTO Item (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)")
                                    .arg(columns.join(QLatin1Char(',')))
                                    .toUtf8();
        auto insert = db.prepare(text.constData());
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QStringList& row = rows[r];
            if (row.size() != 13)
                throw std::runtime_error("Item.csv line " + std::to_string(r + 1) + ": 13 fields expected");
            for (int c = 0; c < 13; ++c) {
                if (number[size_t(c)])
                    insert.integer(c + 1, row[c].toLongLong());
                else
                    insert.text(c + 1, row[c]);
            }
            insert.run();
        }
    }
    {
        const QVector<QStringList> rows = CsvReader::ReadFile(dir + QStringLiteral("Skill.csv"));
        auto insert = db.prepare("INSERT INTO Skill VALUES (?,?,?)");
        for (qsizetype r = 1; r < rows.size(); ++r) {
            if (rows[r].size() != 3)
                throw std::runtime_error("Skill.csv line " + std::to_string(r + 1) + ": 3 fields expected");
            for (int c = 0; c < 3; ++c)
                insert.text(c + 1, rows[r][c]);
            insert.run();
        }
    }
    db.exec(QStringLiteral("COMMIT"), QStringLiteral("commit"));
}

const DataSource* DemoDataSources(int* count) {
    *count = int(std::size(kSources));
    return kSources;
}

void PrepareDemo(const QString& folder, const QString& resources) {
    const QString databases = folder + QStringLiteral("/Databases");
    QDir().mkpath(databases);
    for (const char* name : {"TanorOnline", "Ranking"}) {
        const QString file = databases + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".db");
        if (!QFileInfo::exists(file))
            BuildDatabase(resources, QLatin1String(name), file);
    }
    const QString catalogue = folder + QStringLiteral("/TanorEditor.mdb");
    if (!QFileInfo::exists(catalogue))
        BuildCatalogue(resources, catalogue);
    for (const DataSource& s : kSources) {
        const QString dsn = QLatin1String(s.name);
        if (!OdbcRegistry::Read(dsn, QStringLiteral("Driver")).isEmpty())
            continue;
        const QString file = databases + QLatin1Char('/') + QLatin1String(s.database) + QStringLiteral(".db");
        if (!OdbcRegistry::Register(dsn, QStringLiteral("SQLite3")) ||
            !OdbcRegistry::Write(dsn, QStringLiteral("Database"), file) ||
            !OdbcRegistry::Write(dsn, QStringLiteral("Timeout"), QStringLiteral("5000")))
            throw std::runtime_error("cannot register the data source " + dsn.toStdString());
    }
    const QString settings = folder + QStringLiteral("/VornTanorEditor.ini");
    if (!QFileInfo::exists(settings)) {
        using Resets = ResetSettings;
        using Vaults = VaultSettings;
        const struct {
            QLatin1String section, key;
            const char* value = nullptr;
        } values[] = {
            {SettingsName::kVersion, SettingsName::kVersion, "0"},
            {Resets::kSection, SettingsName::kEnabled, "1"},
            {Resets::kSection, Resets::kTable, "CharacterResets"},
            {Resets::kSection, Resets::kColumnCharacter, "CharacterName"},
            {Resets::kSection, Resets::kColumnResets, "Resets"},
            {Vaults::kSection, SettingsName::kEnabled, "1"},
            {Vaults::kSection, Vaults::kTable, "ExtraVault"},
            {Vaults::kSection, Vaults::kItems, "Items"},
            {Vaults::kSection, Vaults::kAccount, "AccountID"},
            {Vaults::kSection, Vaults::kNumber, "VaultNumber"},
        };
        for (const auto& v : values)
            IniFile::Write(settings, v.section, v.key, QLatin1String(v.value));
    }
}

void UseDemoDataSources(const QString& folder) {
    using Source = ::DataSource;
    const QString settings = folder + QStringLiteral("/VornTanorEditor.ini");
    for (const Source source : {Source::Account, Source::TanorOnline, Source::TanorLog,
                                Source::TanorConnectLog, Source::TanorEvent, Source::Ranking})
        IniFile::Write(settings, SettingsName::kConnection, DataSourceKey(source),
                       source == Source::Ranking ? QStringLiteral("Ranking") : QStringLiteral("TanorOnline"));
}

void GenerateServer(const QString& catalogue, const QString& file, const GenerateOptions& options) {
    const std::vector<CatalogueItem> items = catalogueItems(catalogue);
    QRandomGenerator rng(options.seed);
    replaceFile(file);
    Db db(file);
    const int w = options.recordWidth;
    // The demo's own schema and procedures, so the editor finds every table
    // it reads at start on a generated server too.
    const QString demo =
        (options.resources.isEmpty() ? QStringLiteral(TANOR_DEFAULT_RESOURCES) : options.resources) +
        QStringLiteral("/demo");
    db.exec(readText(demo + QStringLiteral("/schema/TanorOnline.sql")), QStringLiteral("TanorOnline schema"));
    db.exec(QStringLiteral("BEGIN"), QStringLiteral("begin"));
    loadProcedures(db, demo + QStringLiteral("/procedures"));
    db.exec(QStringLiteral(
                "INSERT INTO GameServerInfo (Number, ItemCount, ZenCount, AceItemCount) VALUES (0, 0, 0, "
                "0)"),
            QStringLiteral("serial counter"));
    auto account = db.prepare("INSERT INTO MEMB_INFO (memb___id, memb__pwd) VALUES (?, 'pass')");
    auto slotRow =
        db.prepare("INSERT INTO AccountCharacter (Id, GameID1, GameID2, GameID3, GameID4, GameID5) "
                   "VALUES (?, ?, ?, ?, ?, ?)");
    auto character = db.prepare(
        "INSERT INTO Character (AccountID, Name, cLevel, Class, Inventory) VALUES (?, ?, ?, ?, ?)");
    auto warehouse = db.prepare("INSERT INTO Warehouse (AccountID, Items, Money, EndUseDate, DbVersion, pw) "
                                "VALUES (?, ?, 0, '2026-01-01 00:00:00.000', 2, 0)");
    auto vault = db.prepare("INSERT INTO ExtraVault (AccountID, VaultNumber, Items) VALUES (?, 1, ?)");
    Serials serials;
    auto column = [&](int records) {
        QByteArray out;
        out.reserve(records * w);
        for (int i = 0; i < records; ++i)
            out += makeRecord(items[rng.bounded(quint32(items.size()))], w, serials, rng);
        return out;
    };
    // Duplicated items, spread evenly: a warehouse whose first position
    // holds a copy of a bag item of the account's last character.
    const int plantEvery =
        options.duplicatedSerials > 0 ? std::max(1, options.accounts / options.duplicatedSerials) : 0;
    int planted = 0;
    QByteArray lastInventory;
    for (int a = 0; a < options.accounts; ++a) {
        const QString id = QStringLiteral("acc%1").arg(a, 6, 10, QLatin1Char('0'));
        account.text(1, id);
        account.run();
        slotRow.text(1, id);
        for (int s = 0; s < 5; ++s)
            slotRow.text(s + 2, s < options.charactersPerAccount
                                    ? QStringLiteral("chr%1_%2").arg(a, 6, 10, QLatin1Char('0')).arg(s)
                                    : QString());
        slotRow.run();
        for (int c = 0; c < options.charactersPerAccount; ++c) {
            character.text(1, id);
            character.text(2, QStringLiteral("chr%1_%2").arg(a, 6, 10, QLatin1Char('0')).arg(c));
            character.integer(3, 1 + int(rng.bounded(400)));
            character.integer(4, 0);
            lastInventory = column(108);
            character.blob(5, lastInventory);
            character.run();
        }
        warehouse.text(1, id);
        QByteArray stored = column(120);
        if (plantEvery > 0 && planted < options.duplicatedSerials && a % plantEvery == 0 &&
            !lastInventory.isEmpty()) {
            constexpr int kBagCell = 12;
            stored.replace(0, w, lastInventory.mid(kBagCell * w, w));
            ++planted;
        }
        warehouse.blob(2, stored);
        warehouse.run();
        if (options.vaults) {
            vault.text(1, id);
            vault.blob(2, column(120));
            vault.run();
        }
    }
    db.exec(QStringLiteral("COMMIT"), QStringLiteral("commit"));
}

} // namespace DemoBuilder
