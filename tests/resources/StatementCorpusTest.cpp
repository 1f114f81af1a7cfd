// Every statement form the windows send, run on the demo server through
// Query: game, account and log statements on their data source keys,
// ranking on RankingDNS, operator statements on an operator database set up
// as the wizard does it, catalogue statements on the catalogue file. Texts
// that hold records are run for both record widths.
//
// Windows with a statement module (the shell, the inventory and warehouse
// editors, the property editor's serial) are run through their builders,
// with sample values that include quotes, so a builder the embedded dialect
// cannot serve fails here; the exact texts are asserted by the window
// tests. The forms of the other windows are written out as those windows
// build them.
//
// Statements that fail by design run too and must fail: the operator table
// test before the wizard made the table, a second creation of that table,
// the rename slot update when no slot holds the name, a character save with
// an empty field, a guild save with a non-numeric score, the marks update
// while the field is empty, and the usage log of a day without a table,
// with an empty used-time filter or with a quote in the account filter.

#include "CorpusRunner.h"
#include "TestEnvironment.h"

#include "app/ShellStatements.h"
#include "containers/ContainerStatements.h"
#include "core/UtilitiesUnit.h"
#include "items/ItemStatements.h"
#include "platform/Query.h"

#include <algorithm>
#include <optional>

namespace {

using Db = CorpusRunner::Db;

QString S(const char* text) {
    return QString::fromUtf8(text);
}

QString repeated(const QString& text, int times) {
    return text.repeated(times);
}

QString emptyRecord(int width) {
    return QString(width * 2, QLatin1Char('F'));
}

// A column of records as the windows keep it: cut the stored column of
// 10-byte records into record texts and, for 16-byte records, give each
// item record six more bytes (a free record stays free). What matters here
// is a literal of the right length built the way the windows build it.
QString columnText(const QByteArray& stored10, int records, int width) {
    const QString hex = BytesToHex(stored10);
    QString out;
    for (int k = 0; k < records; ++k) {
        QString record = hex.mid(k * 20, 20);
        if (record.size() < 20 || record == emptyRecord(10))
            record = emptyRecord(width);
        else if (width == 16)
            record += QString(12, QLatin1Char('0'));
        out += record;
    }
    return out;
}

class StatementCorpus : public EnvTest {
protected:
    void SetUp() override { env.buildDemo(); }

    // The operator database as the wizard leaves it before its statements
    // run: a database of the local server registered as "VornMNG", with
    // VornDNS pointing at it.
    void registerOperatorDatabase() {
        (void)env.createDatabase(S("VornOperators"));
        RegisterOperatorDataSource(S("VornOperators"));
        WriteSetting(S("ODBCConnection"), S("VornDNS"), S(kOperatorDataSource));
    }

    CorpusRunner run;
};

// Windows whose statements carry whole item columns, for both widths.
class WidthCorpus : public StatementCorpus, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        StatementCorpus::SetUp();
        WriteSettingInt(S("Version"), S("Version"), width() == 16 ? 1 : 0);
    }
    [[nodiscard]] int width() const { return GetParam(); }
    [[nodiscard]] ItemRecord::Width recordWidth() const { return ItemRecord::WidthForBytes(width()); }
    [[nodiscard]] QString emptyColumn(int records) const { return repeated(emptyRecord(width()), records); }
    // The stored column of `sql` as record texts of the current width.
    [[nodiscard]] QString storedColumn(const QString& sql, int records) const {
        return columnText(ReadBytes(Db::Game, sql), records, width());
    }
};

INSTANTIATE_TEST_SUITE_P(RecordWidths, WidthCorpus, ::testing::Values(10, 16),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return "Bytes" + std::to_string(param.param);
                         });

// ------------------------------------------------------------------ shell

TEST_F(StatementCorpus, ShellStatements) {
    using namespace ShellStatements;
    registerOperatorDatabase();
    // Start-up tests the operator table; before the wizard made it the test
    // fails, which is what sends the operator to the wizard. The wizard's
    // second run finds the table there and ignores the error.
    EXPECT_TRUE(run.fails(S("operator table test"), Db::Operator, {AllOperators()}, true));
    EXPECT_TRUE(run.exec(S("operator table"), Db::Operator, {CreateOperatorTable()}));
    EXPECT_TRUE(run.fails(S("operator table"), Db::Operator, {CreateOperatorTable()}, false));
    EXPECT_TRUE(run.open(S("operator table test"), Db::Operator, {AllOperators()}));

    qint64 rows = 0;
    EXPECT_TRUE(
        run.exec(S("first operator"), Db::Operator, {AddFirstOperator(S("o'admin"), S("s3'cret"))}, &rows));
    EXPECT_EQ(rows, 1);
    // The id compares without case, the password is read back exactly.
    EXPECT_TRUE(run.open(S("sign-in lookup"), Db::Operator, {SignInRow(S("O'ADMIN"))}));
    EXPECT_EQ((QStringList{run.value(0), run.value(2), run.value(3)}),
              (QStringList{S("1"), S("s3'cret"), S("Administrator")}));
    EXPECT_FALSE(run.value(5).isEmpty());
    EXPECT_TRUE(run.open(S("own record"), Db::Operator, {OperatorRow(S("o'admin"))}));
    EXPECT_EQ(run.value(7), S("1"));
    EXPECT_TRUE(run.exec(S("change password"), Db::Operator,
                         {ChangeOperatorPassword(S("o'admin"), S("n'ew"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("stored password"), Db::Operator, {OperatorPassword(S("o'admin"))}));
    EXPECT_EQ(run.value(0), S("n'ew"));
    EXPECT_TRUE(run.exec(S("new operator"), Db::Operator, {AddOperator(S("kee'per"), S("pw2"), S("Kee'per"))},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("operator list"), Db::Operator, {OtherOperatorIds()}));
    EXPECT_EQ(run.rows(), QStringList{S("kee'per")});
    EXPECT_TRUE(run.exec(S("remove operator"), Db::Operator, {DeleteOperator(S("kee'per"))}, &rows));
    EXPECT_EQ(rows, 1);

    // Lists and counters of the main window, with what the demo holds.
    struct Read {
        const char* form;
        Db db;
        QString text;
        int column;
        const char* first;
    };
    const Read reads[] = {
        {"account list", Db::Account, AccountNames(), 0, "bramble"},
        {"guild list", Db::Game, GuildNames(), 0, nullptr},
        {"account count", Db::Account, CountAccounts(), 0, "21"},
        {"guild count", Db::Game, CountGuilds(), 0, "5"},
        {"connected count", Db::Account, CountConnectedAccounts(), 0, "7"},
        {"account slots", Db::Game, AccountCharacterRow(S("o'brien")), 2, "Fionn"},
        {"slots of account", Db::Game, CharacterSlots(S("kestrel")), 1, "Sparrow"},
        {"character guild", Db::Game, GuildOfCharacter(S("Kaelin")), 0, "Ironveil"},
        {"character friends", Db::Game, FriendListOf(S("O'Hollow")), 0, "<no row>"},
        {"character account", Db::Game, OwnerOfCharacter(S("Fionn")), 0, "o'brien"},
        {"account characters", Db::Game, CharactersOfAccount(S("o'brien")), 0, "Fionn"},
    };
    for (const Read& r : reads) {
        EXPECT_TRUE(run.open(S(r.form), r.db, {r.text}));
        if (r.first) {
            EXPECT_EQ(run.value(r.column), S(r.first)) << r.form;
        }
    }

    // Deleting a character (Sparrow stands in kestrel's second slot), a
    // guild and an account.
    struct Write {
        const char* form;
        Db db;
        QStringList lines;
        std::optional<qint64> rows; // none: not looked at
    };
    const Write writes[] = {
        {"delete character", Db::Game, {DeleteCharacter(S("Sparrow"))}, 1},
        {"delete mastered guild", Db::Game, {DeleteGuildsLedBy(S("Sparrow"))}, std::nullopt},
        {"delete membership", Db::Game, {DeleteGuildMembership(S("Sparrow"))}, std::nullopt},
        {"clear slot", Db::Game, ClearCharacterSlot(2, S("kestrel")), 1},
        {"delete account", Db::Account, {DeleteAccountInfo(S("pellam"))}, 1},
        {"delete account slots", Db::Game, {DeleteAccountCharacterRow(S("pellam"))}, std::nullopt},
        {"delete account characters", Db::Game, {DeleteCharactersOfAccount(S("pellam"))}, 1},
        {"delete account characters", Db::Game, {DeleteCharactersOfAccount(S("o'neil"))}, 0},
    };
    for (const Write& w : writes) {
        EXPECT_TRUE(run.exec(S(w.form), w.db, w.lines, &rows));
        if (w.rows) {
            EXPECT_EQ(rows, *w.rows) << w.form;
        }
    }
    EXPECT_EQ(ReadText(Db::Game, S("SELECT GameID2 FROM AccountCharacter WHERE Id='kestrel'")), QString());
    EXPECT_TRUE(run.open(S("delete guild"), Db::Game, {DeleteGuild(S("Saltmark"))}));
    EXPECT_EQ(run.value(0), S("0"));
}

// ------------------------------------------------------------------ item model

TEST_F(StatementCorpus, ItemCatalogueLookups) {
    EXPECT_TRUE(run.open(S("type list"), Db::Catalogue, {S("SELECT DISTINCT Type FROM Item")}));
    EXPECT_TRUE(run.rows().contains(S("Swords")));
    EXPECT_TRUE(
        run.open(S("sub-types"), Db::Catalogue, {S("SELECT Name FROM Item WHERE Type =") + Q(S("Swords"))}));
    EXPECT_TRUE(run.rows().contains(S("Traveler's Saber")));

    const QString blade = Q(S("Voidtouched Blade"));
    EXPECT_TRUE(run.open(
        S("chosen item, 10 bytes"), Db::Catalogue,
        {S("SELECT ID, Unique, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name=") + blade}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1), run.value(2), run.value(3)}),
              (QStringList{S("02"), S("0"), S("F9"), S("7")}));
    EXPECT_TRUE(run.open(
        S("chosen item, 16 bytes"), Db::Catalogue,
        {S("SELECT ID2, Unique2, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name=") + blade}));
    EXPECT_EQ(run.value(0), S("22"));
    EXPECT_TRUE(run.open(S("same set, other type"), Db::Catalogue,
                         {S("SELECT Name, SetNumber FROM Item WHERE (SetNumber=") + S("7") +
                          S(") AND (Type=") + Q(S("Helms")) + S(")")}));
    EXPECT_EQ(run.value(0), S("Voidforged Helm"));

    // Records on grid cells; the gloves carry the unique bit (10 bytes) and
    // type 10 (16 bytes), the blade Code32 F9.
    struct Key {
        const char *id, *u, *code32, *id2, *n, *name;
    };
    for (const Key& k : {Key{"02", "0", "F9", "22", "0", "Voidtouched Blade"},
                         Key{"40", "8", "00", "00", "10", "Bronze Gloves"}}) {
        const QString id = S(k.id), u = S(k.u), code32 = S(k.code32), id2 = S(k.id2), n = S(k.n);
        const QString name = S(k.name);
        EXPECT_TRUE(run.open(S("stored cell, 10 bytes"), Db::Catalogue,
                             {S("SELECT Name,x,y FROM Item WHERE (id= ") + Q(id) + S(" ) AND (unique= ") + u +
                              S(" )") + S("AND (Code32=") + Q(code32) + S(")")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(S("placed cell, 10 bytes"), Db::Catalogue,
                             {S("SELECT Name,x,y FROM Item WHERE (id= ") + Q(id) + S(" ) AND (unique= ") + u +
                              S(" ) ") + S(" AND (Code32=") + Q(code32) + S(")")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(
            S("cell, 16 bytes"), Db::Catalogue,
            {S("SELECT Name,x,y FROM Item WHERE (id2= ") + Q(id2) + S(" ) AND (unique2= ") + n + S(" )")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(S("equipment slot, 10 bytes"), Db::Catalogue,
                             {S("SELECT Name,WearTo FROM Item WHERE (id= ") + Q(id) + S(" ) AND (unique= ") +
                              u + S(" )AND (Code32=") + Q(code32) + S(")")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(S("equipment slot, 16 bytes"), Db::Catalogue,
                             {S("SELECT Name,WearTo FROM Item WHERE (id2= ") + Q(id2) +
                              S(" ) AND (unique2= ") + n + S(" )")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(S("information, 10 bytes"), Db::Catalogue,
                             {S("select name,x,y,ExcOptionType from item where (id='") + id +
                              S("') and (unique=") + u + S(")and (Code32=") + Q(code32) + S(")")}));
        EXPECT_EQ(run.value(0), name);
        EXPECT_TRUE(run.open(S("information, 16 bytes"), Db::Catalogue,
                             {S("select name,x,y,ExcOptionType from item where (id2='") + id2 +
                              S("') and (unique2=") + n + S(")")}));
        EXPECT_EQ(run.value(0), name);
    }

    EXPECT_TRUE(run.open(S("wear code"), Db::Catalogue,
                         {S("SELECT wearto FROM Item WHERE Name=") + Q(S("Traveler's Saber"))}));
    EXPECT_EQ(run.value(0), S("OR"));
    EXPECT_TRUE(run.open(S("set piece, weapon slot"), Db::Catalogue,
                         {S("SELECT Name, Type FROM Item WHERE (SetNumber=") + S("3") +
                          S(") AND ((wearto='OR') OR (wearto='OB') OR (wearto='TR'))")}));
    EXPECT_EQ(run.value(0), S("Silverleaf Bow"));
    EXPECT_TRUE(run.open(S("set piece, shield slot"), Db::Catalogue,
                         {S("SELECT Name, Type FROM Item WHERE (SetNumber=") + S("1") +
                          S(") AND ((wearto='OL') OR (wearto='OB'))")}));
    EXPECT_EQ(run.value(0), S("Warden Shield"));
    EXPECT_TRUE(run.open(S("set piece, other slot"), Db::Catalogue,
                         {S("SELECT Name FROM Item WHERE (SetNumber=") + S("5") + S(") AND (wearto=") +
                          Q(S("boots")) + S(")")}));
    EXPECT_EQ(run.value(0), S("Moonweave Boots"));
}

TEST_F(StatementCorpus, PropertyEditorSerials) {
    for (const char* expected : {"1001", "1002"}) {
        EXPECT_TRUE(run.exec(S("draw serial"), Db::Game, {ItemStatements::DrawItemSerial()}));
        EXPECT_TRUE(run.open(S("read serial"), Db::Game, {ItemStatements::LastItemSerial()}));
        EXPECT_EQ(run.value(0), S(expected));
    }
}

TEST_F(StatementCorpus, ItemConverter) {
    EXPECT_TRUE(run.open(S("totals"), Db::Game,
                         {S("SELECT count(*), (SELECT Count(*) From Character) FROM Warehouse")}));
    EXPECT_EQ(run.value(1), S("35"));
    const QString table = ReadSetting(S("Vaults"), S("Table"));
    const QString items = ReadSetting(S("Vaults"), S("ColumnItems"));
    const QString account = ReadSetting(S("Vaults"), S("ColumnAccount"));
    const QString number = ReadSetting(S("Vaults"), S("ColumnNumber"));
    EXPECT_TRUE(run.open(S("vault total"), Db::Game, {S("SELECT count(*) FROM ") + table}));
    EXPECT_EQ(run.value(0), S("4"));

    qint64 rows = 0;
    EXPECT_TRUE(
        run.open(S("read characters"), Db::Game, {S("SELECT AccountID, Name, Inventory FROM Character")}));
    ASSERT_TRUE(run.findRow(1, S("Fionn")));
    const QString inventory = S("0x") + columnText(run.bytes(2), 108, 16);
    EXPECT_TRUE(run.exec(S("write inventory"), Db::Game,
                         {S("UPDATE Character SET Inventory=") + inventory + S(" WHERE (AccountID=") +
                          Q(run.value(0)) + S(") AND (Name=") + Q(run.value(1)) + S(")")},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(ReadBytes(Db::Game, S("SELECT Inventory FROM Character WHERE Name='Fionn'")).size(), 1728);

    EXPECT_TRUE(run.open(S("read warehouses"), Db::Game, {S("SELECT AccountID, Items FROM Warehouse")}));
    ASSERT_TRUE(run.findRow(0, S("o'brien")));
    EXPECT_TRUE(run.exec(S("write warehouse"), Db::Game,
                         {S("UPDATE Warehouse SET Items=") + S("0x") + columnText(run.bytes(1), 120, 16) +
                          S(" WHERE (AccountID=") + Q(run.value(0)) + S(")")},
                         &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("read vaults"), Db::Game,
                         {S("SELECT ") + account + S(",") + items + S(",") + number + S(" FROM ") + table}));
    ASSERT_TRUE(run.findRow(2, S("2")));
    EXPECT_TRUE(run.exec(S("write vault"), Db::Game,
                         {S("UPDATE ") + table + S(" SET ") + items + S("=") + S("0x") +
                          columnText(run.bytes(1), 120, 16) + S(" WHERE (") + account + S("=") +
                          Q(run.value(0)) + S(") AND (") + number + S("=") + run.value(2) + S(")")},
                         &rows));
    EXPECT_EQ(rows, 1);
}

// ------------------------------------------------------------------ containers

TEST_P(WidthCorpus, InventoryEditor) {
    using namespace ContainerStatements;
    const QString fionn = S("Fionn");
    EXPECT_TRUE(run.open(S("load"), Db::Game, {InventoryOf(fionn)}));
    EXPECT_EQ(run.bytes(0).size(), 1080);
    const QString stored = storedColumn(InventoryOf(fionn), 108);
    EXPECT_TRUE(run.open(S("load"), Db::Game, {InventoryOf(S("O'Neil"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("initialise"), Db::Game, {FillEmptyInventory(fionn, recordWidth())}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, InventoryOf(fionn))), emptyColumn(108));

    EXPECT_TRUE(run.exec(S("save"), Db::Game, {SaveInventory(fionn, S("0x") + stored)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, InventoryOf(fionn))), stored);
    EXPECT_EQ(stored.size(), 108 * width() * 2);
}

TEST_P(WidthCorpus, WarehouseEditor) {
    using namespace ContainerStatements;
    const VaultTable vaults{
        ReadSetting(S("Vaults"), S("Table")), ReadSetting(S("Vaults"), S("ColumnAccount")),
        ReadSetting(S("Vaults"), S("ColumnNumber")), ReadSetting(S("Vaults"), S("ColumnItems"))};
    const QString kestrel = S("kestrel");
    EXPECT_TRUE(run.open(S("vault list"), Db::Game, {VaultNumbers(vaults, kestrel)}));
    EXPECT_EQ(run.rows(), (QStringList{S("1"), S("2")}));

    // lark has no warehouse row: the window creates it.
    const QString lark = S("lark");
    EXPECT_TRUE(run.open(S("load"), Db::Game, {WarehouseOf(lark)}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("create"), Db::Game, {AddWarehouse(lark, recordWidth())}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("load"), Db::Game, {WarehouseOf(lark)}));
    EXPECT_EQ(run.bytes(0).size(), 120 * width());
    EXPECT_EQ(run.value(1), S("0"));
    EXPECT_FALSE(run.value(3).isEmpty());

    EXPECT_TRUE(run.open(S("vault load"), Db::Game, {VaultItems(vaults, kestrel, 1)}));
    EXPECT_EQ(run.bytes(0).size(), 1200);
    const QString vault = S("0x") + storedColumn(VaultItems(vaults, kestrel, 1), 120);
    EXPECT_TRUE(run.exec(S("vault save"), Db::Game, {SaveVault(vaults, kestrel, 1, vault)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("vault save"), Db::Game, {SaveVault(vaults, S("o'brien"), 9, vault)}, &rows));
    EXPECT_EQ(rows, 0);

    const QString literal = S("0x") + storedColumn(WarehouseOf(kestrel), 120);
    for (const QString& account : {kestrel, S("o'brien")}) {
        EXPECT_TRUE(
            run.exec(S("save"), Db::Game, {SaveWarehouse(account, literal, 2000000000, 9999)}, &rows));
        EXPECT_EQ(rows, 1);
        EXPECT_EQ(ReadText(Db::Game, S("SELECT Money FROM Warehouse WHERE AccountID=") + Q(account)),
                  S("2000000000"));
        EXPECT_EQ(ReadBytes(Db::Game, WarehouseOf(account)).size(), 120 * width());
    }
}

TEST_P(WidthCorpus, ItemWipe) {
    EXPECT_TRUE(run.open(S("item list"), Db::Catalogue, {S("SELECT Name FROM Item ORDER By NAME")}));
    const QStringList names = run.rows();
    EXPECT_EQ(names.size(), 308);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }));
    for (const char* chosen : {"Voidtouched Blade", "Any Item"}) {
        EXPECT_TRUE(
            run.open(S("item lookup"), Db::Catalogue,
                     {S("SELECT ID, ID2,Unique, Unique2, Code32, ExcOptionType FROM Item WHERE Name=") +
                      Q(S(chosen))}));
    }
    EXPECT_EQ(run.value(0), S("<no row>"));

    const QString table = ReadSetting(S("Vaults"), S("Table"));
    const QString items = ReadSetting(S("Vaults"), S("ColumnItems"));
    const QString account = ReadSetting(S("Vaults"), S("ColumnAccount"));
    const QString number = ReadSetting(S("Vaults"), S("ColumnNumber"));
    const QString totals = S("select (select count(*) from Character),(select count(*) from Warehouse) ");
    EXPECT_TRUE(run.open(S("row totals"), Db::Game, {totals + S(" ")}));
    EXPECT_EQ(run.columns(), 2);
    EXPECT_TRUE(
        run.open(S("row totals"), Db::Game, {totals + S(" , (Select count(*) from ") + table + S(")")}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1), run.value(2)}),
              (QStringList{S("35"), S("20"), S("4")}));

    qint64 rows = 0;
    EXPECT_TRUE(
        run.open(S("inventory rows"), Db::Game, {S("SELECT AccountID, Inventory, Name FROM Character")}));
    ASSERT_TRUE(run.findRow(2, S("Fionn")));
    EXPECT_TRUE(
        run.exec(S("inventory rewrite"), Db::Game,
                 {S("UPDATE Character SET Inventory=") + S("0x") + columnText(run.bytes(1), 108, width()) +
                  S(" WHERE (AccountID=") + Q(run.value(0)) + S(") AND (Name=") + Q(run.value(2)) + S(")")},
                 &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("warehouse rows"), Db::Game, {S("SELECT AccountID, Items FROM Warehouse")}));
    ASSERT_TRUE(run.findRow(0, S("o'brien")));
    EXPECT_TRUE(
        run.exec(S("warehouse rewrite"), Db::Game,
                 {S("UPDATE Warehouse SET Items=") + S("0x") + columnText(run.bytes(1), 120, width()) +
                  S(" WHERE (AccountID=") + Q(run.value(0)) + S(")")},
                 &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("vault rows"), Db::Game,
                         {S("SELECT ") + account + S(", ") + items + S(",") + number + S(" FROM ") + table}));
    ASSERT_TRUE(run.findRow(0, S("vesper")));
    // The rewrite quotes the vault number; the row must still be found.
    EXPECT_TRUE(run.exec(S("vault rewrite"), Db::Game,
                         {S("UPDATE ") + table + S(" SET ") + items + S("=") + S("0x") +
                          columnText(run.bytes(1), 120, width()) + S(" WHERE (") + account + S("=") +
                          Q(run.value(0)) + S(") AND (") + number + S("=") + Q(run.value(2)) + S(")")},
                         &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.exec(
        S("wipe all inventories"), Db::Game,
        {S("UPDATE Character SET Inventory=") + S("0x") + repeated(emptyRecord(width()), 108)}, &rows));
    EXPECT_EQ(rows, 35);
    EXPECT_TRUE(run.exec(S("wipe all warehouses"), Db::Game,
                         {S("UPDATE Warehouse SET Items=") + S("0x") + repeated(emptyRecord(width()), 120)},
                         &rows));
    EXPECT_EQ(rows, 20);
    EXPECT_TRUE(run.exec(
        S("wipe all vaults"), Db::Game,
        {S("UPDATE ") + table + S(" SET ") + items + S("=") + S("0x") + repeated(emptyRecord(width()), 120)},
        &rows));
    EXPECT_EQ(rows, 4);
}

// ------------------------------------------------------------------ accounts and characters

TEST_F(StatementCorpus, AccountCreationAndEditing) {
    const QString lookup = S("SELECT memb___id FROM MEMB_INFO WHERE memb___id =");
    EXPECT_TRUE(run.open(S("account exists"), Db::Account, {lookup + Q(S("kestrel"))}));
    EXPECT_EQ(run.value(0), S("kestrel"));
    EXPECT_TRUE(run.open(S("account exists"), Db::Account, {lookup + Q(S("newbie"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));

    auto insert = [](const QString& id, const QString& password, const QString& name) {
        return QStringList{
            S("INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name, sno__numb,  post_code, addr_info,"),
            S("  addr_deta, tel__numb, phon_numb, mail_addr, fpas_ques, fpas_answ, job__code, appl_days, "
              "modi_days, "
              "out__days,  true_days, mail_chek, bloc_code, ctl1_code)"),
            S("VALUES (") + Q(id) + S(",") + password + S(",") + Q(name) + S(",") +
                Q(S("111111") + S("1234567")),
            S(", NULL, NULL, NULL, NULL, NULL,") + Q(S("o'neil@valewind.test")) + S(",") +
                Q(S("Pet's name?")) + S(",") + Q(S("Rex")) +
                S(", 1, getdate(), getdate(), getdate(), getdate(), 1, 0, 0)")};
    };
    qint64 rows = 0;
    // Hashing off: the password goes in quoted.
    EXPECT_TRUE(
        run.exec(S("create account"), Db::Account, insert(S("newbie"), Q(S("pass1")), S("O'Neil")), &rows));
    EXPECT_EQ(rows, 1);
    // Hashing on: a placeholder, then the procedure stores the hash.
    EXPECT_TRUE(
        run.exec(S("create account"), Db::Account, insert(S("hashed"), S("0x0000"), S("Hash")), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("hash password"), Db::Account,
                         {S("EXECUTE SP_MD5_ENCODE_VALUE @btInStr=") + Q(S("pass2")) + S(", @btInStrIndex=") +
                          Q(S("hashed"))}));
    EXPECT_EQ(ReadText(Db::Account, S("SELECT length(memb__pwd) FROM MEMB_INFO WHERE memb___id='hashed'")),
              S("18"));

    EXPECT_TRUE(run.open(S("load account"), Db::Account,
                         {S("SELECT * FROM MEMB_INFO WHERE memb___id =") + Q(S("newbie"))}));
    EXPECT_EQ(run.value(S("memb_name")), S("O'Neil"));
    EXPECT_EQ(run.value(S("sno__numb")), S("1111111234567"));
    EXPECT_EQ(run.value(S("memb__pwd")), S("pass1"));

    EXPECT_TRUE(run.exec(
        S("new password"), Db::Account,
        {S("UPDATE MEMB_INFO SET memb__pwd=") + Q(S("pa'ss3")) + S(" WHERE memb___id=") + Q(S("newbie"))},
        &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("account fields"), Db::Account,
                         {S("UPDATE MEMB_INFO"),
                          S("SET memb_name=") + Q(S("Neil")) + S(", mail_addr=") +
                              Q(S("neil@valewind.test")) + S(", sno__numb=") + Q(S("111111") + S("7654321")),
                          S(", fpas_ques=") + Q(S("Colour?")) + S(", fpas_answ=") + Q(S("Teal")),
                          S("WHERE memb___id =") + Q(S("newbie"))},
                         &rows));
    EXPECT_EQ(rows, 1);
}

namespace {

QStringList characterSelect(const QString& character) {
    return {S("SELECT AccountID, Name, cLevel, LevelUpPoint, Class, Experience"),
            S(", Strength, Dexterity, Vitality, Energy, Inventory, MagicList, Money"),
            S(", Life, MaxLife, Mana, MaxMana, MapNumber, MapPosX, MapPosY, MapDir"),
            S(", PkCount, PkLevel, PkTime, MDate, LDate, CtlCode, DbVersion, Quest"),
            S(", Leadership, ChatLimitTime FROM Character WHERE Name = ") + Q(character)};
}

QStringList characterSave(const QString& level, const QString& character) {
    return {S("UPDATE Character"),
            S("SET cLevel=") + level + S(", LevelUpPoint=") + S("12"),
            S(", Class=") + S("16") + S(", Experience=") + S("98000") + S(", Strength=") + S("120"),
            S(", Dexterity=") + S("80") + S(", Vitality=") + S("60") + S(", Energy=") + S("25"),
            S(", Leadership=") + S("0"),
            S(", Money=") + S("500000") + S(", MapNumber=") + S("3"),
            S(", MapPosX=") + S("175") + S(", MapPosY=") + S("116") + S(", PkLevel=") + S("6"),
            S(", PkCount=") + S("2") + S(", PkTime=") + S("0") + S(", CtlCode=") + S("1") + S(", Quest=") +
                S("0x") + S("FAFF") + QString(96, QLatin1Char('F')),
            S(" WHERE Name=") + Q(character)};
}

} // namespace

TEST_F(StatementCorpus, CharacterEditorAndSearch) {
    const QString resetTable = ReadSetting(S("Resets"), S("Table"));
    const QString resetColumn = ReadSetting(S("Resets"), S("ColumnResets"));
    const QString resetCharacter = ReadSetting(S("Resets"), S("ColumnCharacter"));

    EXPECT_TRUE(run.open(S("account check"), Db::Account,
                         {S("SELECT * FROM MEMB_INFO WHERE memb___id = ") + Q(S("kestrel"))}));
    EXPECT_EQ(run.value(S("memb___id")), S("kestrel"));
    EXPECT_TRUE(run.open(S("load character"), Db::Game, characterSelect(S("Kaelin"))));
    EXPECT_EQ(run.value(S("Class")), S("16"));
    EXPECT_EQ(BytesToHex(run.bytes(28)).left(4), S("EAFF"));
    EXPECT_TRUE(run.open(S("guild membership"), Db::Game,
                         {S("SELECT * FROM GuildMember WHERE Name=") + Q(S("Kaelin"))}));
    EXPECT_EQ(run.value(S("G_Status")), S("64"));
    EXPECT_TRUE(run.open(S("load resets"), Db::Game,
                         {S("SELECT ") + resetColumn + S(" FROM ") + resetTable + S(" WHERE ") +
                          resetCharacter + S(" = ") + Q(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("3"));

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("save character"), Db::Game, characterSave(S("150"), S("Kaelin")), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, S("SELECT Quest FROM Character WHERE Name='Kaelin'"))),
              S("FAFF") + QString(96, QLatin1Char('F')));
    // Fields go in as typed: an empty one breaks the statement.
    EXPECT_TRUE(run.fails(S("save character"), Db::Game, characterSave(QString(), S("Kaelin")), false));
    EXPECT_TRUE(run.exec(S("save resets"), Db::Game,
                         {S("UPDATE ") + resetTable + S(" SET ") + resetColumn + S(" = ") + S("4") +
                          S(" WHERE ") + resetCharacter + S("=") + Q(S("Kaelin"))},
                         &rows));
    EXPECT_EQ(rows, 1);

    // Search: accounts, characters (quoted names), guilds.
    struct Search {
        Db db;
        const char *column, *table, *word;
        int found;
    };
    for (const Search& s : {Search{Db::Account, "memb___id", "MEMB_INFO", "'", 1},
                            Search{Db::Game, "\"Name\"", "\"Character\"", "", 35},
                            Search{Db::Game, "\"Name\"", "\"Character\"", "isa", 5},
                            Search{Db::Game, "G_Name", "Guild", "ward", 1}}) {
        const QString column = S(s.column);
        EXPECT_TRUE(run.open(S("search"), s.db,
                             {S("SELECT ") + column + S(" FROM ") + S(s.table) + S(" WHERE ") + column +
                              S(" LIKE(") + Q(S("%") + S(s.word) + S("%")) + S(") ORDER BY ") + column}));
        const QStringList found = run.rows();
        EXPECT_EQ(found.size(), s.found) << s.word;
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        }));
    }
}

TEST_F(StatementCorpus, CharacterCreationRenamingAndMoving) {
    const QString lookup = S("SELECT Name FROM Character WHERE Name=");
    EXPECT_TRUE(run.open(S("name in use"), Db::Game, {lookup + Q(S("Wren"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(run.exec(S("create character"), Db::Game,
                         {S("EXECUTE QJ_CreateCharacter @AccountID=") + Q(S("lark")) + S(", @Name=") +
                          Q(S("Wren")) + S(", @Class=") + S("32")}));
    EXPECT_TRUE(run.open(S("name in use"), Db::Game, {lookup + Q(S("Wren"))}));
    EXPECT_EQ(run.value(0), S("Wren"));

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("friend number"), Db::Game,
                         {S("INSERT INTO T_CGuid (Name) Values (") + Q(S("Wren")) + S(")")}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("read friend number"), Db::Game,
                         {S("SELECT GUID FROM T_CGuid WHERE Name=") + Q(S("Wren"))}));
    const QString guid = run.value(0);
    EXPECT_EQ(guid, S("36"));
    EXPECT_TRUE(
        run.exec(S("friend entry"), Db::Game,
                 {S("INSERT INTO T_FriendMain (GUID, Name, FriendCount, MemoCount, MemoTotal) VALUES (") +
                  guid + S(",") + Q(S("Wren")) + S(",1,10,0)")},
                 &rows));
    EXPECT_EQ(rows, 1);

    // Rename Wren (lark's second slot) to Wrenna.
    EXPECT_TRUE(run.exec(S("rename character"), Db::Game,
                         {S("UPDATE Character SET Name=") + Q(S("Wrenna")) + S(" WHERE AccountID=") +
                          Q(S("lark")) + S(" AND Name=") + Q(S("Wren"))},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.open(S("rename slots"), Db::Game,
                 {S("SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter WHERE Id=") +
                  Q(S("lark"))}));
    EXPECT_EQ(run.value(1), S("Wren"));
    auto slotUpdate = [](const QString& slot) {
        return S("UPDATE AccountCharacter SET GameIDC=NULL, ") + slot + S("=") + Q(S("Wrenna")) +
               S(" WHERE Id=") + Q(S("lark"));
    };
    EXPECT_TRUE(run.exec(S("rename slot"), Db::Game, {slotUpdate(S(" GameID") + S("2") + S(" "))}, &rows));
    EXPECT_EQ(rows, 1);
    // No slot holds the old name: the statement has no column to set.
    EXPECT_TRUE(run.fails(S("rename slot"), Db::Game, {slotUpdate(QString())}, false));
    EXPECT_TRUE(run.exec(S("rename friend number"), Db::Game,
                         {S("UPDATE T_CGuid SET Name=") + Q(S("Wrenna")) + S(" WHERE Name=") + Q(S("Wren"))},
                         &rows));
    EXPECT_EQ(rows, 1);

    // Move: Wrenna to pellam; Brann is in a guild and may not move.
    auto move = [](const QString& from, const QString& name, const QString& to) {
        return QStringList{S("EXECUTE QJ_MoveCharacter @AccountID=") + Q(from),
                           S(", @Name=") + Q(name) + S(", @ChangeAccountID=") + Q(to),
                           S(",@IsOriginalAccountID=1")};
    };
    EXPECT_TRUE(run.open(S("move character"), Db::Game, move(S("lark"), S("Wrenna"), S("pellam"))));
    EXPECT_EQ(run.value(0), S("0"));
    EXPECT_TRUE(run.open(S("move character"), Db::Game, move(S("marlow"), S("Brann"), S("pellam"))));
    EXPECT_EQ(run.value(0), S("10"));
}

TEST_F(StatementCorpus, SkillListEditor) {
    EXPECT_TRUE(run.open(S("load skills"), Db::Game,
                         {S("SELECT MagicList FROM \"Character\" WHERE \"Name\" =") + Q(S("Tamsy"))}));
    EXPECT_EQ(run.bytes(0).size(), 128);
    EXPECT_TRUE(run.open(S("classes"), Db::Catalogue, {S("SELECT  DISTINCT Class FROM Skill")}));
    EXPECT_EQ(run.rows().size(), 8);
    EXPECT_TRUE(
        run.open(S("skill name"), Db::Catalogue, {S("SELECT Name FROM Skill WHERE ID=") + Q(S("01"))}));
    EXPECT_EQ(run.value(0), S("Fire Bolt"));
    EXPECT_TRUE(run.open(S("skills of class"), Db::Catalogue,
                         {S("SELECT Name FROM Skill") + S(" WHERE Class=") + Q(S("Dark Wizard"))}));
    const int wizard = int(run.rows().size());
    EXPECT_TRUE(run.open(S("skills of class"), Db::Catalogue, {S("SELECT Name FROM Skill") + S(" ")}));
    EXPECT_GT(run.rows().size(), wizard);
    EXPECT_TRUE(run.open(S("skill number"), Db::Catalogue,
                         {S("SELECT ID FROM Skill WHERE Name=") + Q(S("Fire Bolt"))}));
    EXPECT_EQ(run.value(0), S("01"));

    const QString value =
        S("0x") + S("01") + S("0000") + repeated(S("FF") + S("0000"), 41) + S("FF") + S("00");
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(
        S("save skills"), Db::Game,
        {S("UPDATE CHARACTER"), S("SET MagicList =") + value, S("WHERE \"Name\" =") + Q(S("Tamsy"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(S("0x") +
                  BytesToHex(ReadBytes(Db::Game, S("SELECT MagicList FROM Character WHERE Name='Tamsy'"))),
              value);
}

TEST_F(StatementCorpus, FriendsAndLetters) {
    const QString kaelin = Q(S("Kaelin"));
    EXPECT_TRUE(run.open(S("friend entry"), Db::Game,
                         {S("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name=") + kaelin}));
    const QString guid = run.value(0);
    EXPECT_EQ(guid, S("1"));
    EXPECT_TRUE(run.open(
        S("friend list"), Db::Game,
        {S("SELECT FriendGuid, FriendName FROM T_FriendList WHERE (GUID=") + guid + S(") AND (Del=0)")}));
    EXPECT_EQ(run.rows(1), (QStringList{S("Sparrow"), S("Brann"), S("Fionn")}));
    EXPECT_TRUE(
        run.open(S("subjects"), Db::Game, {S("SELECT Subject FROM T_FriendMail WHERE GUID=") + guid}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("requests"), Db::Game,
                         {S("SELECT FriendGuid, FriendName FROM T_WaitFriend WHERE  GUID=") + guid}));
    EXPECT_EQ(run.rows(1), (QStringList{S("Thornback"), S("Isa")}));

    EXPECT_TRUE(run.open(S("letter by subject"), Db::Game,
                         {S("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=") + guid +
                          S(") AND (Subject=") + Q(S("Guild war")) + S(")")}));
    const QString index = run.value(2);
    EXPECT_EQ(index, S("12"));
    EXPECT_TRUE(run.open(S("letter by number"), Db::Game,
                         {S("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=") + guid +
                          S(") AND (MemoIndex=") + index + S(")")}));
    EXPECT_EQ(run.bytes(0).at(1), '\0');
    EXPECT_EQ(run.value(1), S("False"));

    // Every procedure answers 0 when it did its work.
    const QStringList calls = {
        S("EXECUTE QJ_WaitFriendAdd\t@Name=") + kaelin + S(", @FriendName=") + Q(S("Maeve")),
        S("EXECUTE QJ_FriendDel\t@Name=") + kaelin + S(", @FriendName=") + Q(S("Brann")),
        S("EXECUTE QJ_FriendAdd\t@Name=") + kaelin + S(", @FriendName=") + Q(S("Thornback")),
        S("EXECUTE QJ_WaitFriendDel @Name=") + kaelin + S(",  @FriendName=") + Q(S("Isa")),
        S("EXECUTE  QJ_DelMail @Name=") + kaelin + S(", @MemoIndex=") + index,
    };
    const QStringList forms = {S("send request"), S("remove friend"), S("accept request"), S("deny request"),
                               S("delete letter")};
    for (int i = 0; i < calls.size(); ++i) {
        EXPECT_TRUE(run.open(forms[i], Db::Game, {calls[i]}));
        EXPECT_EQ(run.value(0), S("0")) << calls[i].toStdString();
    }
}

// ------------------------------------------------------------------ guilds and castle siege

TEST_F(StatementCorpus, GuildEditor) {
    const QString ironveil = Q(S("Ironveil"));
    EXPECT_TRUE(run.open(S("guild exists"), Db::Game, {S("Select * from Guild Where G_Name=") + ironveil}));
    EXPECT_EQ(run.value(S("G_Master")), S("Thornback"));
    EXPECT_TRUE(
        run.open(S("load guild"), Db::Game,
                 {S("Select G_Mark, G_Score, G_Notice, G_Master, G_Type, G_Rival, G_Union From Guild Where "
                    "G_Name=") +
                  ironveil}));
    const QString mark = BytesToHex(run.bytes(0));
    EXPECT_EQ(mark.size(), 64);
    EXPECT_TRUE(run.open(S("members"), Db::Game,
                         {S("SELECT Name, G_Level FROM GuildMember WHERE G_Name=") + ironveil +
                          S(" ORDER BY G_Status DESC")}));
    EXPECT_EQ(run.value(0), S("Thornback"));

    auto save = [&](const QString& score) {
        return QStringList{S("UPDATE Guild SET G_Mark=") + S("0x") + mark + S(", G_Notice=") +
                               Q(S("Hold the bridge, don't yield")) + S(", G_Score=") + score,
                           S(" WHERE G_Name=") + ironveil};
    };
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("save guild"), Db::Game, save(S("1900")), &rows));
    EXPECT_EQ(rows, 1);
    // The score goes in as typed: a non-numeric one breaks the statement.
    EXPECT_TRUE(run.fails(S("save guild"), Db::Game, save(S("19 hundred")), false));

    EXPECT_TRUE(
        run.open(S("member character"), Db::Game,
                 {S("SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, Leadership From "
                    "Character WHERE Name=") +
                  Q(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("kestrel"));
    EXPECT_TRUE(run.open(S("member rank"), Db::Game,
                         {S("SELECT G_Status, G_Level FROM GuildMember WHERE Name=") + Q(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("64"));
    EXPECT_TRUE(run.exec(
        S("change rank"), Db::Game,
        {S("UPDATE GuildMember SET G_Status=") + S("32") + S(", G_Level=NULL WHERE Name=") + Q(S("Briar"))},
        &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.exec(S("kick"), Db::Game, {S("DELETE FROM GuildMember WHERE Name=") + Q(S("Corvus"))}, &rows));
    EXPECT_EQ(rows, 1);

    // Union: Ironveil and Lanterns share union 1; Duskward joins and leaves.
    EXPECT_TRUE(
        run.open(S("union of guild"), Db::Game, {S("SELECT G_Union FROM Guild WHERE G_Name=") + ironveil}));
    const QString u = run.value(0);
    EXPECT_EQ(u, S("1"));
    EXPECT_TRUE(run.open(S("union guilds"), Db::Game,
                         {S("SELECT G_Name, Number, G_Union FROM Guild WHERE G_Union=") + u}));
    EXPECT_EQ(run.rows(), (QStringList{S("Ironveil"), S("Lanterns")}));
    EXPECT_TRUE(run.open(S("highest union"), Db::Game, {S("SELECT  MAX(G_Union) FROM Guild")}));
    EXPECT_EQ(run.value(0), S("1"));
    EXPECT_TRUE(run.exec(S("join union"), Db::Game,
                         {S("UPDATE Guild SET G_Union=") + u + S(" WHERE G_Name=") + Q(S("Duskward"))},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("leave union"), Db::Game,
                         {S("UPDATE Guild SET G_Union=0 WHERE G_Name=") + Q(S("Duskward"))}, &rows));
    EXPECT_EQ(rows, 1);
}

TEST_F(StatementCorpus, GuildCreation) {
    const QString maeve = Q(S("Maeve"));
    const QString hearth = Q(S("Hearth"));
    EXPECT_TRUE(
        run.open(S("master exists"), Db::Game, {S("SELECT * FROM \"Character\" WHERE \"Name\"=") + maeve}));
    EXPECT_EQ(run.value(S("Name")), S("Maeve"));
    EXPECT_TRUE(
        run.open(S("guild name taken"), Db::Game, {S("SELECT G_Name FROM Guild WHERE G_Name=") + hearth}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(
        run.open(S("master taken"), Db::Game, {S("SELECT G_Master FROM Guild WHERE G_Master=") + maeve}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(run.open(S("create guild"), Db::Game,
                         {S("EXECUTE QJ_GuildCreate @GuildName=") + hearth + S(", @MasterName=") + maeve}));
    EXPECT_EQ(run.value(0), S("0"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("master rank"), Db::Game,
                         {S("UPDATE GuildMember SET G_Status=128 WHERE Name=") + maeve}, &rows));
    EXPECT_EQ(rows, 1);
    const QString mark = S("4") + QString(62, QLatin1Char('0')) + S("3");
    EXPECT_TRUE(run.exec(S("guild mark"), Db::Game,
                         {S("UPDATE Guild SET G_Mark=") + S("0x") + mark + S(" WHERE G_Master =") + maeve},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, S("SELECT G_Mark FROM Guild WHERE G_Name='Hearth'"))), mark);
}

namespace {

struct Npc {
    int number;
    const char* position; // as the window writes it
    int x, y;
};

const Npc kGates[] = {
    {1, " AND NPC_X=93 AND NPC_Y=204", 93, 204},   {2, " AND NPC_X=81 AND NPC_Y=161", 81, 161},
    {3, " AND NPC_X=107 AND NPC_Y=161", 107, 161}, {4, " AND NPC_X=67 AND NPC_Y=114", 67, 114},
    {5, " AND NPC_X=93 AND NPC_Y=114", 93, 114},   {6, " AND NPC_X=119 AND NPC_Y=114", 119, 114}};
const Npc kStatues[] = {{1, " AND NPC_X=94 AND NPC_Y=227", 94, 227},
                        {2, " AND NPC_X=94 AND NPC_Y=182", 94, 182},
                        {3, " AND NPC_X=82 AND NPC_Y=130", 82, 130},
                        {4, " AND NPC_X=107 AND NPC_Y=130", 107, 130}};

QString at(const Npc& npc, const QString& group) {
    return S(" WHERE NPC_X=") + QString::number(npc.x) + S(" AND NPC_Y=") + QString::number(npc.y) +
           S(" AND MAP_SVR_GROUP=") + group;
}

} // namespace

TEST_F(StatementCorpus, CastleSiegeEditor) {
    const QString registration = S("0"); // map server group in registration
    const QString listSet = S("1");      // map server group with the guild list set

    for (const QString& g : {registration, listSet}) {
        EXPECT_TRUE(
            run.open(S("castle data"), Db::Game,
                     {S("SELECT MAP_SVR_GROUP, SIEGE_START_DATE, SIEGE_END_DATE, SIEGE_GUILDLIST_SETTED, "
                        "SIEGE_ENDED, CASTLE_OCCUPY, OWNER_GUILD, MONEY, TAX_RATE_CHAOS, TAX_RATE_STORE, "
                        "TAX_HUNT_ZONE FROM TanorCastle_DATA WHERE MAP_SVR_GROUP=") +
                      g}));
        EXPECT_EQ(run.value(3), g == registration ? S("False") : S("True"));
    }
    EXPECT_TRUE(run.open(
        S("registered guilds"), Db::Game,
        {S("SELECT REG_SIEGE_GUILD FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") + registration}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(
        run.open(S("selected guilds"), Db::Game,
                 {S("SELECT GUILD_NAME FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") + listSet}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("owner list"), Db::Game, {S("SELECT G_Name FROM Guild ORDER BY G_Name")}));
    EXPECT_EQ(run.value(0), S("Duskward"));

    // Gates 1-4 and statues 1-3 stand in group 0.
    for (const Npc& gate : kGates) {
        EXPECT_TRUE(
            run.open(S("gate"), Db::Game,
                     {S("SELECT NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP FROM TanorCastle_NPC WHERE "
                        "MAP_SVR_GROUP=") +
                      registration + S(gate.position)}));
        EXPECT_EQ(run.rows().size(), gate.number <= 4 ? 1 : 0) << gate.number;
    }
    for (const Npc& statue : kStatues) {
        EXPECT_TRUE(run.open(
            S("statue"), Db::Game,
            {S("SELECT NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP, NPC_RG_LEVEL FROM TanorCastle_NPC "
               "WHERE MAP_SVR_GROUP=") +
             registration + S(statue.position)}));
        EXPECT_EQ(run.rows().size(), statue.number <= 3 ? 1 : 0) << statue.number;
    }

    qint64 rows = 0;
    auto buy = [&](const QString& kind, const Npc& npc, const QString& life) {
        return S("INSERT INTO TanorCastle_NPC (MAP_SVR_GROUP, NPC_NUMBER, NPC_INDEX, NPC_DF_LEVEL, "
                 "NPC_RG_LEVEL, "
                 "NPC_MAXHP,NPC_HP,NPC_X, NPC_Y, NPC_DIR, NPC_CREATEDATE) VALUES (") +
               registration + S(",") + kind + S(",") + QString::number(npc.number) + S(",0,0,") + life +
               S(",") + life + S(",") + QString::number(npc.x) + S(",") + QString::number(npc.y) +
               S(",1,getdate())");
    };
    EXPECT_TRUE(run.exec(S("buy"), Db::Game, {buy(S("277"), kGates[4], S("500000"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("buy"), Db::Game, {buy(S("283"), kStatues[3], S("400000"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("delete npc"), Db::Game,
                         {S("DELETE FROM TanorCastle_NPC") + at(kGates[4], registration)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(
        S("life"), Db::Game,
        {S("UPDATE TanorCastle_NPC SET NPC_HP=") + S("700000") + at(kGates[2], registration)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(
        S("defence level"), Db::Game,
        {S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=") + S("2") + at(kGates[2], registration)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(
        S("regeneration level"), Db::Game,
        {S("UPDATE TanorCastle_NPC SET NPC_RG_LEVEL=") + S("3") + at(kStatues[2], registration)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("raise gate life"), Db::Game,
                         {S("UPDATE TanorCastle_NPC SET NPC_MAXHP=") + S("1500000") + S(",  NPC_HP=") +
                          S("1500000") + at(kGates[2], registration)},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("raise statue life"), Db::Game,
                         {S("UPDATE TanorCastle_NPC SET NPC_MAXHP=") + S("2500000") + S(", NPC_HP=") +
                          S("2500000") + at(kStatues[1], registration)},
                         &rows));
    EXPECT_EQ(rows, 1);

    const QString duskward = Q(S("Duskward"));
    EXPECT_TRUE(run.open(S("guild details"), Db::Game,
                         {S("SELECT G_Master, (SELECT count(*) FROM GuildMember WHERE GuildMember.G_Name=") +
                          duskward + S(") FROM Guild WHERE Guild.G_Name=") + duskward}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1)}), (QStringList{S("Fenwick"), S("4")}));
    EXPECT_TRUE(run.open(S("registration"), Db::Game,
                         {S("SELECT IS_GIVEUP, REG_MARKS FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") +
                          registration + S(" AND REG_SIEGE_GUILD=") + duskward}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1)}), (QStringList{S("0"), S("34")}));
    EXPECT_TRUE(run.open(S("involvement"), Db::Game,
                         {S("SELECT GUILD_INVOLVED FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") +
                          listSet + S(" AND GUILD_NAME=") + Q(S("Ironveil"))}));
    EXPECT_EQ(run.value(0), S("True"));
    EXPECT_TRUE(
        run.exec(S("give up"), Db::Game,
                 {S("UPDATE TanorCastle_REG_SIEGE SET IS_GIVEUP=") + S("1") + S(" WHERE MAP_SVR_GROUP=") +
                  registration + S(" AND REG_SIEGE_GUILD=") + Q(S("Tidecall"))},
                 &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("involved"), Db::Game,
                         {S("UPDATE TanorCastle_SIEGE_GUILDLIST SET GUILD_INVOLVED=") + S("0") +
                          S(" WHERE MAP_SVR_GROUP=") + listSet + S(" AND GUILD_NAME=") + Q(S("Lanterns"))},
                         &rows));
    EXPECT_EQ(rows, 1);
    auto marks = [&](const QString& text) {
        return S("UPDATE TanorCastle_REG_SIEGE SET REG_MARKS=") + text + S(" WHERE REG_SIEGE_GUILD=") +
               duskward + S(" AND MAP_SVR_GROUP=") + registration;
    };
    EXPECT_TRUE(run.exec(S("marks"), Db::Game, {marks(S("40"))}, &rows));
    EXPECT_EQ(rows, 1);
    // Sent at every key release: an emptied field breaks the statement and
    // the window ignores the error.
    EXPECT_TRUE(run.fails(S("marks"), Db::Game, {marks(QString())}, false));

    EXPECT_TRUE(
        run.open(S("next sequence"), Db::Game, {S("select max (SEQ_NUM+1) from TanorCastle_REG_SIEGE")}));
    const QString sequence = run.value(0);
    EXPECT_EQ(sequence, S("4"));
    EXPECT_TRUE(
        run.exec(S("register guild"), Db::Game,
                 {S("INSERT INTO TanorCastle_REG_SIEGE (MAP_SVR_GROUP, REG_SIEGE_GUILD,REG_MARKS, IS_GIVEUP, "
                    "SEQ_NUM) VALUES (") +
                  registration + S(",") + Q(S("Saltmark")) + S(",0,0,") + sequence + S(" )")},
                 &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("unregister guild"), Db::Game,
                         {S("DELETE FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") + registration +
                          S(" AND REG_SIEGE_GUILD=") + Q(S("Saltmark"))},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("unselect guild"), Db::Game,
                         {S("DELETE FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") + listSet +
                          S(" AND GUILD_NAME=") + Q(S("Lanterns"))},
                         &rows));
    EXPECT_EQ(rows, 1);

    auto save = [&](const QString& occupy, const QString& owner) {
        return S("UPDATE TanorCastle_DATA SET CASTLE_OCCUPY=") + occupy + S(", OWNER_GUILD='") + owner +
               S("', MONEY=") + S("1000") + S(", TAX_RATE_CHAOS=") + S("2") + S(", TAX_RATE_STORE=") +
               S("1") + S(",TAX_HUNT_ZONE=") + S("150000") + S(" WHERE MAP_SVR_GROUP=") + registration;
    };
    EXPECT_TRUE(run.exec(S("save castle"), Db::Game, {save(S("1"), S("Ironveil"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("save castle"), Db::Game, {save(S("0"), QString())}, &rows));
    EXPECT_EQ(rows, 1);
}

// ------------------------------------------------------------------ reports

TEST_F(StatementCorpus, Ranking) {
    EXPECT_TRUE(run.open(S("top characters"), Db::Game,
                         {S("SELECT TOP 100 Name FROM Character ORDER BY cLevel DESC")}));
    EXPECT_EQ(run.rows().size(), 35);
    EXPECT_TRUE(run.open(S("top event"), Db::Ranking,
                         {S("SELECT TOP 100 CharacterName FROM EVENT_INFO ORDER BY Point DESC")}));
    EXPECT_FALSE(run.rows().isEmpty());
    EXPECT_TRUE(
        run.open(S("top guilds"), Db::Game, {S("SELECT TOP 100 G_Name FROM Guild ORDER BY G_Score DESC")}));
    EXPECT_EQ(run.value(0), S("Ironveil"));

    const QString brann = Q(S("Brann"));
    EXPECT_TRUE(
        run.open(S("character details"), Db::Game,
                 {S("SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, Leadership FROM "
                    "\"Character\" WHERE \"Name\"=") +
                  brann}));
    EXPECT_EQ((QStringList{run.value(0), run.value(2)}), (QStringList{S("marlow"), S("17")}));
    EXPECT_TRUE(run.open(S("resets"), Db::Game,
                         {S("SELECT ") + ReadSetting(S("Resets"), S("ColumnResets")) + S(" FROM ") +
                          ReadSetting(S("Resets"), S("Table")) + S(" WHERE ") +
                          ReadSetting(S("Resets"), S("ColumnCharacter")) + S(" = ") + brann}));
    EXPECT_EQ(run.value(0), S("12"));
    EXPECT_TRUE(
        run.open(S("event details"), Db::Ranking,
                 {S("SELECT AccountID, Square, Class, Point FROM EVENT_INFO WHERE CharacterName=") + brann}));
    EXPECT_EQ(run.value(0), S("marlow"));
    const QString duskward = Q(S("Duskward"));
    EXPECT_TRUE(run.open(
        S("guild details"), Db::Game,
        {S("SELECT G_Master, G_Score, (select count(*) from GuildMember where [GuildMember].G_Name=") +
         duskward + S(") FROM Guild WHERE G_Name=") + duskward}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1), run.value(2)}),
              (QStringList{S("Fenwick"), S("1275"), S("4")}));
}

namespace {

// The hourly statement of the usage chart for day T (yyyymmdd) / D
// (yyyy-mm-dd), hour h and server clause s.
QString chartStatement(const QString& t, const QString& d, int h, const QString& s) {
    const QString hh = (h < 10 ? S(" 0") : S(" ")) + QString::number(h);
    const QString w = h < 10 ? S(" where (State='connect') and (DateTime between Convert(datetime, '")
                             : S(" WHERE (State='connect') and (DateTime between Convert(datetime, '");
    return S("select sum (UsedTime), (select count(DISTINCT Id) from UseLog") + t + w + d + hh +
           S(":00:00.000') and Convert(datetime, '") + d + hh + S(":59:59.999'))") + s + S(") from UseLog") +
           t + S(" where DateTime between Convert(datetime, '") + d + hh +
           S(":00:00.000') and Convert(datetime, '") + d + hh + S(":59:59.999')") + s;
}

struct LogFilter {
    QString account = S(" WHERE (Id LIKE ('%%')) ");
    QString pay = S(" ");
    QString address = S(" ");
    QString used = S(" ");
    QString server = S(" ");
    // The same rows in plain SQLite, to count what the filter should give.
    QString plain = S("1=1");
};

QString tableStatement(const QString& t, const LogFilter& f) {
    return S("SELECT Number, DateTime, ServerName, Id, Ip, State, IpGuid, UsedTime, PayCode FROM UseLog") +
           t + S(" ") + f.account + f.pay + f.address + f.used + f.server;
}

} // namespace

TEST_F(StatementCorpus, UsageLog) {
    EXPECT_TRUE(run.open(S("server names"), Db::Account, {S("SELECT DISTINCT ServerName FROM MEMB_STAT")}));
    EXPECT_EQ(run.rows().size(), 2);

    const QString t = S("20261208");
    const QString d = S("2026-12-08");
    // Chart: the 24 hours together hold every minute and every connection
    // of the day, for all servers and for one.
    for (const char* server : {"", "Valewind-1"}) {
        const QString s = *server ? S(" AND (ServerName= ") + Q(S(server)) + S(")") : S(" ");
        const QString where = *server ? S(" WHERE ServerName='") + S(server) + S("'") : QString();
        int minutes = 0;
        int connected = 0;
        for (int h = 0; h < 24; ++h) {
            ASSERT_TRUE(run.open(S("chart hour"), Db::Log, {chartStatement(t, d, h, s)}));
            minutes += run.value(0).toInt();
            connected += run.value(1).toInt();
        }
        EXPECT_EQ(QString::number(minutes),
                  ReadText(Db::Log, S("SELECT sum(UsedTime) FROM UseLog") + t + where));
        EXPECT_GT(connected, 0);
    }
    // The window opens on a day the demo has no table for.
    EXPECT_TRUE(run.fails(S("chart hour"), Db::Log,
                          {chartStatement(S("20070110"), S("2007-01-10"), 5, S(" "))}, true));

    std::vector<LogFilter> filters(7);
    filters[1].account = S(" WHERE (Id LIKE('%") + S("kes") + S("%')) ");
    filters[1].plain = S("Id LIKE '%kes%'");
    filters[2].pay = S(" AND (PayCode=5) ");
    filters[2].plain = S("PayCode=5");
    filters[3].address =
        S(" AND (Ip BETWEEN ") + Q(S("010.020.001.000")) + S(" AND ") + Q(S("010.020.005.255")) + S(") ");
    filters[3].plain = S("Ip BETWEEN '010.020.001.000' AND '010.020.005.255'");
    filters[4].used = S(" AND (UsedTime BETWEEN ") + S("30") + S(" AND 9999) ");
    filters[4].plain = S("UsedTime BETWEEN 30 AND 9999");
    filters[5].used = S(" AND (UsedTime =") + S("0") + S(") ");
    filters[5].pay = S(" AND (PayCode=4) ");
    filters[5].server = S(" AND (ServerName=") + Q(S("Valewind-2")) + S(")");
    filters[5].plain = S("UsedTime=0 AND PayCode=4 AND ServerName='Valewind-2'");
    filters[6].used = S(" AND (UsedTime BETWEEN 0 AND ") + S("20") + S(") ");
    filters[6].pay = S(" AND (PayCode=2) ");
    filters[6].plain = S("UsedTime BETWEEN 0 AND 20 AND PayCode=2");
    for (const LogFilter& f : filters) {
        ASSERT_TRUE(run.open(S("log table"), Db::Log, {tableStatement(t, f)}));
        EXPECT_EQ(QString::number(run.rows().size()),
                  ReadText(Db::Log, S("SELECT count(*) FROM UseLog") + t + S(" WHERE ") + f.plain))
            << f.plain.toStdString();
    }
    // Failures the window answers with "The Day you selected is not
    // avaible!": no table for the day, an empty used-time field, a quote in
    // the account text (put in unquoted).
    EXPECT_TRUE(run.fails(S("log table"), Db::Log, {tableStatement(S("20070110"), LogFilter{})}, true));
    LogFilter emptyUsed;
    emptyUsed.used = S(" AND (UsedTime =") + QString() + S(") ");
    EXPECT_TRUE(run.fails(S("log table"), Db::Log, {tableStatement(t, emptyUsed)}, true));
    LogFilter quoted;
    quoted.account = S(" WHERE (Id LIKE('%") + S("o'brien") + S("%')) ");
    EXPECT_TRUE(run.fails(S("log table"), Db::Log, {tableStatement(t, quoted)}, true));
}

TEST_F(StatementCorpus, ConnectedUsersAndGameMasters) {
    EXPECT_TRUE(run.open(S("connected accounts"), Db::Account,
                         {S("SELECT memb___id FROM MEMB_STAT WHERE ConnectStat=1")}));
    EXPECT_EQ(run.rows().size(), 7);

    auto details = [](const QString& a, const QString& g, const QString& account) {
        return S("SELECT ServerName, Ip, ConnectTM, DisconnectTM, GameIDC from ") + a +
               S("..MEMB_STAT full join ") + g + S("..AccountCharacter on memb___id = Id full join ") + g +
               S("..Character on Name = GameIDC where (ConnectStat = 1) and (memb___id=") + Q(account) +
               S(")");
    };
    const QString a = AccountDatabaseName();
    const QString g = GameDatabaseName();
    EXPECT_EQ(a, S("TanorOnline"));
    EXPECT_TRUE(run.open(S("connection details"), Db::Game, {details(a, g, S("kestrel"))}));
    EXPECT_EQ((QStringList{run.value(1), run.value(4)}), (QStringList{S("10.20.1.15"), S("Kaelin")}));
    // sable has no character slots and still shows its address.
    EXPECT_TRUE(run.open(S("connection details"), Db::Game, {details(a, g, S("sable"))}));
    EXPECT_EQ((QStringList{run.value(1), run.value(4)}), (QStringList{S("10.20.1.1"), QString()}));
    // No database name recorded: the tables resolve in the game connection's
    // own database.
    EXPECT_TRUE(run.open(S("connection details"), Db::Game, {details(QString(), QString(), S("kestrel"))}));
    EXPECT_EQ(run.value(4), S("Kaelin"));

    EXPECT_TRUE(
        run.open(S("game masters"), Db::Game,
                 {S("SELECT Name FROM Character WHERE (CtlCode=8) OR (CtlCode=16) OR (CtlCode=32)")}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("game master account"), Db::Game,
                         {S("SELECT AccountID FROM Character WHERE Name=") + Q(S("GM_Birch"))}));
    EXPECT_EQ(run.value(0), S("gmoffice"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("ban game master"), Db::Game,
                         {S("UPDATE Character SET CtlCode=1 WHERE Name=") + Q(S("GM_Birch"))}, &rows));
    EXPECT_EQ(rows, 1);
}

TEST_F(StatementCorpus, CatalogueTableEditor) {
    EXPECT_TRUE(run.open(S("whole table"), Db::Catalogue, {S("SELECT * FROM ") + S("Item")}));
    EXPECT_EQ(run.columns(), 13);
    EXPECT_TRUE(run.open(S("whole table"), Db::Catalogue, {S("SELECT * FROM ") + S("Skill")}));
    EXPECT_EQ(run.columns(), 3);
}

} // namespace
