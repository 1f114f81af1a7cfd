// Every statement text the windows send, built the way the windows build it
// (same spacing, same joins, Q() for text values), run on the demo server
// through Query: game, account and log statements on their data source keys,
// ranking on RankingDNS, operator statements on an operator database set up
// as the wizard does it, catalogue statements on the catalogue file. Texts
// that hold records are run for both record widths.
//
// Statement forms per window or subsystem (a form is one statement text with
// its values left open; the same text given by two windows counts in both):
//
//   main window and start-up ........................ 20
//   setup wizard and sign-in ......................... 3
//   operator administration .......................... 6
//   item catalogue lookups .......................... 16
//   property editor serials .......................... 2
//   item converter ................................... 8
//   inventory editor ................................. 3
//   warehouse editor ................................. 6
//   item wipe ....................................... 12
//   account creation and editing ..................... 6
//   character editor and search ...................... 7
//   character creation, renaming and moving ......... 10
//   skill list editor ................................ 6
//   friends and letters ............................. 11
//   guild editor .................................... 13
//   guild creation ................................... 6
//   castle siege editor ............................. 24
//   ranking .......................................... 7
//   usage log ........................................ 3
//   connected users and game masters ................. 5
//   catalogue table editor ........................... 1
//                                                    ---
//                                                    175
//
// Statements that fail by design run too and must fail: the operator table
// test before the wizard made the table, a second creation of that table,
// the character slot update and the rename slot update when no slot holds
// the name, a warehouse save with an empty or non-numeric money text, a
// character save with an empty field, a guild save with a non-numeric
// score, the marks update while the field is empty, and the usage log of a
// day without a table, with an empty used-time filter or with a quote in
// the account filter.

#include "CorpusRunner.h"
#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/Query.h"

#include <algorithm>

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

const char* const kOperatorTable =
    "CREATE TABLE [MANG_INFO] ( [mang_guid] [int] IDENTITY (1, 1) NOT NULL , \t[mang___id] [varchar] (15) "
    "COLLATE Polish_CI_AS NOT NULL , \t[mang__pwd] [varchar] (34) COLLATE Modern_Spanish_CI_AS NOT NULL "
    ",[mang_name] [varchar] (20) COLLATE Polish_CI_AS NOT NULL ,  \t[auth_code] [int] NOT NULL ,   "
    "\t[appl_day] [smalldatetime] NULL ,[bloc_code] [int] NOT NULL ,  \t[perm] [int] NOT NULL) ON "
    "[PRIMARY]";

QString firstOperatorInsert(const QString& id, const QString& password) {
    return S("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm) "
             "VALUES (") +
           Q(id) + S(",") + Q(password) + S(", 'Administrator',0,getdate(),0,1)");
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

    // The wizard's table and first operator, made outside the corpus for
    // the windows that need them.
    void createOperators(const QString& id, const QString& password) {
        registerOperatorDatabase();
        for (const QString& sql : {S(kOperatorTable), firstOperatorInsert(id, password)}) {
            Query q;
            q.SetConnectionString(CorpusRunner::connection(Db::Operator));
            q.SetText(sql);
            (void)q.ExecSQL();
        }
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

TEST_F(StatementCorpus, MainWindowAndStartUp) {
    registerOperatorDatabase();
    // Start-up tests the operator table; before the wizard made it the test
    // fails, which is what sends the operator to the wizard.
    EXPECT_TRUE(run.fails(S("operator table test"), Db::Operator, {S("SELECT * FROM MANG_INFO")}, true));
    {
        Query create;
        create.SetConnectionString(CorpusRunner::connection(Db::Operator));
        create.SetText(S(kOperatorTable));
        (void)create.ExecSQL();
    }
    EXPECT_TRUE(run.open(S("operator table test"), Db::Operator, {S("SELECT * FROM MANG_INFO")}));

    EXPECT_TRUE(
        run.open(S("account list"), Db::Account, {S("SELECT memb___id FROM MEMB_INFO ORDER BY memb___id")}));
    const QStringList accounts = run.rows();
    EXPECT_EQ(accounts.size(), 21);
    EXPECT_EQ(accounts.value(0), S("bramble"));
    EXPECT_TRUE(run.open(S("guild list"), Db::Game, {S("SELECT G_Name FROM Guild")}));
    EXPECT_EQ(run.rows().size(), 5);

    // Counters of the server information panel.
    EXPECT_TRUE(run.open(S("account count"), Db::Account, {S("SELECT count(*) FROM MEMB_INFO")}));
    EXPECT_EQ(run.value(0), S("21"));
    EXPECT_TRUE(run.open(S("guild count"), Db::Game, {S("SELECT count(*) FROM Guild")}));
    EXPECT_EQ(run.value(0), S("5"));
    EXPECT_TRUE(run.open(S("connected count"), Db::Account,
                         {S("SELECT count(*) FROM MEMB_STAT WHERE ConnectStat=1")}));
    EXPECT_EQ(run.value(0), S("7"));

    // Account change, character change.
    EXPECT_TRUE(run.open(S("account slots"), Db::Game,
                         {S("SELECT Number, Id, GameID1, GameID2, GameID3, GameID4, GameID5, GameIDC FROM "
                            "AccountCharacter WHERE Id=") +
                          Q(S("juniper"))}));
    EXPECT_EQ(run.value(S("GameID3")), S("Juno"));
    EXPECT_TRUE(run.open(S("account slots"), Db::Game,
                         {S("SELECT Number, Id, GameID1, GameID2, GameID3, GameID4, GameID5, GameIDC FROM "
                            "AccountCharacter WHERE Id=") +
                          Q(S("o'brien"))}));
    EXPECT_EQ(run.value(S("GameID1")), S("Fionn"));
    EXPECT_TRUE(run.open(S("character guild"), Db::Game,
                         {S("SELECT G_Name FROM GuildMember WHERE Name=") + Q(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("Ironveil"));
    EXPECT_TRUE(run.open(S("character friends"), Db::Game,
                         {S("SELECT * FROM T_FriendMain WHERE Name=") + Q(S("Hollow"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));

    // Find by character, add character.
    EXPECT_TRUE(run.open(S("character account"), Db::Game,
                         {S("SELECT AccountID, Name FROM Character WHERE Name=") + Q(S("Fionn"))}));
    EXPECT_EQ(run.value(0), S("o'brien"));
    EXPECT_TRUE(run.open(S("account characters"), Db::Game,
                         {S("SELECT Name FROM Character WHERE AccountID=") + Q(S("o'brien"))}));
    EXPECT_EQ(run.rows().size(), 2);

    // Delete character: Sparrow stands in kestrel's second slot.
    const QString sparrow = Q(S("Sparrow"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("delete character"), Db::Game, {S("DELETE FROM Character WHERE Name =") + sparrow},
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.exec(S("delete mastered guild"), Db::Game, {S("DELETE FROM Guild WHERE G_Master = ") + sparrow}));
    EXPECT_TRUE(
        run.exec(S("delete membership"), Db::Game, {S("DELETE FROM GuildMember WHERE Name =") + sparrow}));
    EXPECT_TRUE(
        run.open(S("slots of account"), Db::Game,
                 {S("SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter WHERE Id =") +
                  Q(S("kestrel"))}));
    EXPECT_EQ(run.value(1), S("Sparrow"));
    EXPECT_TRUE(run.exec(
        S("clear slot"), Db::Game,
        {S("UPDATE AccountCharacter "), S("SET GameID2=NULL"), S(" WHERE Id =") + Q(S("kestrel"))}, &rows));
    EXPECT_EQ(rows, 1);
    // A character in no slot leaves the clause empty; the server refuses it.
    EXPECT_TRUE(run.fails(S("clear slot"), Db::Game,
                          {S("UPDATE AccountCharacter "), QString(), S(" WHERE Id =") + Q(S("kestrel"))},
                          false));

    // Delete guild, delete account.
    EXPECT_TRUE(run.open(S("delete guild"), Db::Game,
                         {S("EXECUTE QJ_SetGuildDelete @GuildName=") + Q(S("Saltmark"))}));
    EXPECT_EQ(run.value(0), S("0"));
    const QString pellam = Q(S("pellam"));
    EXPECT_TRUE(run.exec(S("delete account"), Db::Account,
                         {S("DELETE FROM MEMB_INFO WHERE memb___id=") + pellam}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("delete account slots"), Db::Game,
                         {S("DELETE FROM AccountCharacter WHERE Id=") + pellam}));
    EXPECT_TRUE(run.exec(S("delete account characters"), Db::Game,
                         {S("DELETE FROM Character WHERE AccountID=") + pellam}, &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_EQ(run.forms(), 20);
}

TEST_F(StatementCorpus, SetupWizardAndSignIn) {
    registerOperatorDatabase();
    EXPECT_TRUE(run.exec(S("operator table"), Db::Operator, {S(kOperatorTable)}));
    // The wizard's second run finds the table there and ignores the error.
    EXPECT_TRUE(run.fails(S("operator table"), Db::Operator, {S(kOperatorTable)}, false));
    qint64 rows = 0;
    EXPECT_TRUE(
        run.exec(S("first operator"), Db::Operator, {firstOperatorInsert(S("admin"), S("s3cret"))}, &rows));
    EXPECT_EQ(rows, 1);

    // The ID compares without case, the password is read back exactly.
    EXPECT_TRUE(
        run.open(S("sign-in lookup"), Db::Operator,
                 {S("SELECT mang_guid, mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, "
                    "perm FROM MANG_INFO WHERE (mang___id=") +
                  Q(S("ADMIN")) + S(") AND (bloc_code=0)")}));
    EXPECT_EQ(run.value(0), S("1"));
    EXPECT_EQ(run.value(2), S("s3cret"));
    EXPECT_EQ(run.value(3), S("Administrator"));
    EXPECT_FALSE(run.value(5).isEmpty());

    EXPECT_EQ(run.forms(), 3);
}

TEST_F(StatementCorpus, OperatorAdministration) {
    createOperators(S("admin"), S("s3cret"));
    const QString admin = Q(S("admin"));
    EXPECT_TRUE(
        run.open(S("own record"), Db::Operator, {S("SELECT * FROM MANG_INFO WHERE mang___id=") + admin}));
    EXPECT_EQ(run.value(0), S("1"));
    EXPECT_EQ(run.value(3), S("Administrator"));
    EXPECT_EQ(run.value(7), S("1"));

    EXPECT_TRUE(run.open(S("stored password"), Db::Operator,
                         {S("SELECT mang__pwd FROM MANG_INFO WHERE mang___id =") + admin}));
    EXPECT_EQ(run.value(0), S("s3cret"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(
        S("change password"), Db::Operator,
        {S("UPDATE MANG_INFO SET mang__pwd=") + Q(S("n'ew")) + S(" WHERE mang___id=") + admin}, &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("own record"), Db::Operator,
                         {S("SELECT * FROM MANG_INFO WHERE mang___id=") + Q(S("keeper"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(
        run.exec(S("new operator"), Db::Operator,
                 {S("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, "
                    "bloc_code, perm) VALUES (") +
                  Q(S("keeper")) + S(",") + Q(S("pw2")) + S(",") + Q(S("Keeper")) + S(",1,getdate(),0,1)")},
                 &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(
        run.open(S("operator list"), Db::Operator, {S("SELECT mang___id from MANG_INFO WHERE mang_guid>1")}));
    EXPECT_EQ(run.rows(), QStringList{S("keeper")});
    EXPECT_TRUE(run.exec(S("remove operator"), Db::Operator,
                         {S("DELETE FROM MANG_INFO WHERE mang___id=") + Q(S("keeper"))}, &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_EQ(run.forms(), 6);
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

    EXPECT_EQ(run.forms(), 16);
}

TEST_F(StatementCorpus, PropertyEditorSerials) {
    for (const char* expected : {"1001", "1002"}) {
        EXPECT_TRUE(run.exec(S("draw serial"), Db::Game, {S("EXECUTE QJ_GetItemSerial")}));
        EXPECT_TRUE(run.open(S("read serial"), Db::Game, {S("SELECT ItemCount FROM GameServerInfo")}));
        EXPECT_EQ(run.value(0), S(expected));
    }
    EXPECT_EQ(run.forms(), 2);
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

    EXPECT_EQ(run.forms(), 8);
}

// ------------------------------------------------------------------ containers

TEST_P(WidthCorpus, InventoryEditor) {
    const QString fionn = Q(S("Fionn"));
    const QString load = S("SELECT Inventory FROM Character WHERE Name =") + fionn;
    EXPECT_TRUE(run.open(S("load"), Db::Game, {load}));
    EXPECT_EQ(run.bytes(0).size(), 1080);
    // The window runs the load once more as a command to learn whether the
    // character has an inventory at all.
    EXPECT_TRUE(run.exec(S("load"), Db::Game, {load}));
    const QString stored = storedColumn(load, 108);

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(
        S("initialise"), Db::Game,
        {S("UPDATE Character SET Inventory=") + S("0x") + emptyColumn(108) + S(" WHERE Name=") + fionn},
        &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, load)), emptyColumn(108));

    EXPECT_TRUE(run.exec(
        S("save"), Db::Game,
        {S("UPDATE Character SET Inventory= ") + S("0x") + stored + S(" WHERE Name= ") + fionn}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, load)), stored);
    EXPECT_EQ(stored.size(), 108 * width() * 2);

    EXPECT_EQ(run.forms(), 3);
}

TEST_P(WidthCorpus, WarehouseEditor) {
    const QString table = ReadSetting(S("Vaults"), S("Table"));
    const QString items = ReadSetting(S("Vaults"), S("ColumnItems"));
    const QString account = ReadSetting(S("Vaults"), S("ColumnAccount"));
    const QString number = ReadSetting(S("Vaults"), S("ColumnNumber"));
    const QString kestrel = Q(S("kestrel"));

    EXPECT_TRUE(
        run.open(S("vault list"), Db::Game,
                 {S("SELECT ") + number + S(" FROM ") + table + S(" WHERE ") + account + S("=") + kestrel}));
    EXPECT_EQ(run.rows(), (QStringList{S("1"), S("2")}));

    // lark has no warehouse row: the window creates it.
    const QString larkLoad =
        S("SELECT Items, Money, pw, EndUseDate FROM Warehouse WHERE AccountID =") + Q(S("lark"));
    EXPECT_TRUE(run.exec(S("load"), Db::Game, {larkLoad}));
    EXPECT_TRUE(run.open(S("load"), Db::Game, {larkLoad}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    qint64 rows = 0;
    EXPECT_TRUE(
        run.exec(S("create"), Db::Game,
                 {S("INSERT INTO Warehouse (AccountID, Items, Money, EndUseDate, DbVersion, pw) VALUES (") +
                  Q(S("lark")) + S(",") + S("0x") + emptyColumn(120) + S(",0, getdate(), 2,0)")},
                 &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("load"), Db::Game, {larkLoad}));
    EXPECT_EQ(run.bytes(0).size(), 120 * width());
    EXPECT_EQ(run.value(1), S("0"));
    EXPECT_FALSE(run.value(3).isEmpty());

    const QString vaultLoad = S("SELECT ") + items + S(" FROM ") + table + S(" WHERE (") + account + S("=") +
                              kestrel + S(") AND(") + number + S("=") + S("1") + S(")");
    EXPECT_TRUE(run.open(S("vault load"), Db::Game, {vaultLoad}));
    EXPECT_EQ(run.bytes(0).size(), 1200);
    const QString vault = S("0x") + storedColumn(vaultLoad, 120);

    const QString kestrelLoad = S("SELECT Items FROM Warehouse WHERE AccountID=") + kestrel;
    const QString literal = S("0x") + storedColumn(kestrelLoad, 120);
    auto save = [&](const QString& money, const QString& password) {
        return S("UPDATE Warehouse SET Items= ") + literal + S(", Money=") + money + S(",pw=") + password +
               S(" WHERE AccountID= ") + kestrel;
    };
    EXPECT_TRUE(run.exec(S("save"), Db::Game, {save(S("1234"), S("4321"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(ReadText(Db::Game, S("SELECT Money FROM Warehouse WHERE AccountID='kestrel'")), S("1234"));
    EXPECT_EQ(ReadBytes(Db::Game, kestrelLoad).size(), 120 * width());
    // Money and password go in as typed; an empty or non-numeric text
    // makes the statement invalid and the save fails.
    EXPECT_TRUE(run.fails(S("save"), Db::Game, {save(QString(), S("4321"))}, false));
    EXPECT_TRUE(run.fails(S("save"), Db::Game, {save(S("12x4"), S("4321"))}, false));

    EXPECT_TRUE(run.exec(S("vault save"), Db::Game,
                         {S("UPDATE ") + table + S(" SET ") + items + S("=") + vault + S(" WHERE (") +
                          account + S("= ") + kestrel + S(") AND (") + number + S("=") + S("1") + S(")")},
                         &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_EQ(run.forms(), 6);
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

    EXPECT_EQ(run.forms(), 12);
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

    EXPECT_EQ(run.forms(), 6);
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

    EXPECT_EQ(run.forms(), 7);
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

    EXPECT_EQ(run.forms(), 10);
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

    EXPECT_EQ(run.forms(), 6);
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

    EXPECT_EQ(run.forms(), 11);
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

    EXPECT_EQ(run.forms(), 13);
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

    EXPECT_EQ(run.forms(), 6);
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

    EXPECT_EQ(run.forms(), 24);
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

    EXPECT_EQ(run.forms(), 7);
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

    EXPECT_EQ(run.forms(), 3);
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

    EXPECT_EQ(run.forms(), 5);
}

TEST_F(StatementCorpus, CatalogueTableEditor) {
    EXPECT_TRUE(run.open(S("whole table"), Db::Catalogue, {S("SELECT * FROM ") + S("Item")}));
    EXPECT_EQ(run.columns(), 13);
    EXPECT_TRUE(run.open(S("whole table"), Db::Catalogue, {S("SELECT * FROM ") + S("Skill")}));
    EXPECT_EQ(run.columns(), 3);
    EXPECT_EQ(run.forms(), 1);
}

} // namespace
