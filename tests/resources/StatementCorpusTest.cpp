// Every statement form the windows send, run on the demo server through
// Query: game, account and log statements on their data source keys,
// ranking on RankingDNS, operator statements on an operator database set up
// as the wizard does it, catalogue statements on the catalogue file. Texts
// that hold records are run for both record widths.
//
// Each window's statements are produced by the statement builders it calls
// (the shell, container, walk, conversion, account, character, skill,
// friend, guild, castle siege and report modules), with sample values
// holding single quotes, and double quotes, percent signs and letters
// outside Latin-1 in free text, so a builder the embedded dialect cannot
// serve, or a value that breaks out of its quotes, fails here. The item and
// skill catalogue's lookups run their own statements through Catalogue. The
// exact texts are asserted by the window tests.
//
// Statements that fail by design run too and must fail: the operator table
// test before the wizard made the table, a second creation of that table,
// and the usage log's probe, chart and table of a day without a table.
// Numbers reach the builders typed, so an empty or non-numeric field never
// makes a statement.

#include "CorpusRunner.h"
#include "TestEnvironment.h"

#include "accounts/AccountStatements.h"
#include "accounts/CharacterStatements.h"
#include "accounts/FriendStatements.h"
#include "accounts/SkillStatements.h"
#include "app/ShellStatements.h"
#include "containers/ContainerStatements.h"
#include "containers/WalkStatements.h"
#include "core/ResetStatements.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "guilds/CastleGeometry.h"
#include "guilds/CastleStatements.h"
#include "guilds/GuildMark.h"
#include "guilds/GuildStatements.h"
#include "items/Catalogue.h"
#include "items/ItemConversion.h"
#include "items/ItemStatements.h"
#include "platform/Query.h"
#include "reports/ReportStatements.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

using Db = CorpusRunner::Db;

namespace Account = AccountStatements;
namespace Character = CharacterStatements;
namespace Skill = SkillStatements;
namespace Friend = FriendStatements;
namespace Guild = GuildStatements;
namespace Castle = CastleStatements;
namespace Report = ReportStatements;
namespace Resets = ResetStatements;

// Free text as an operator may type it.
const char* const kFreeText = "Ó'Néill \"Ned\" 100% Ωμέγα";

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
    using ItemRecord::Width;
    EXPECT_TRUE(Catalogue::Types().contains(S("Swords")));
    EXPECT_TRUE(Catalogue::SubTypes(S("Swords")).contains(S("Traveler's Saber")));
    EXPECT_TRUE(Catalogue::SubTypes(S("Sword's")).isEmpty());

    const Catalogue::CatalogueItem narrow = Catalogue::Chosen(S("Voidtouched Blade"), Width::Narrow);
    EXPECT_EQ((QStringList{narrow.id, QString::number(narrow.unique), narrow.code32,
                           QString::number(narrow.setNumber)}),
              (QStringList{S("02"), S("0"), S("F9"), S("7")}));
    EXPECT_EQ(Catalogue::Chosen(S("Voidtouched Blade"), Width::Wide).id, S("22"));
    EXPECT_FALSE(Catalogue::Chosen(S("Traveler's \"Saber\""), Width::Narrow).found);
    EXPECT_EQ(Catalogue::SameSetInType(7, S("Helms")), S("Voidforged Helm"));

    // Records on grid cells; the gloves carry the unique bit (10 bytes) and
    // type 10 (16 bytes), the blade Code32 F9.
    const struct {
        const char *id, *code32, *id2;
        bool unique;
        int type;
        const char* name;
    } keys[] = {{"02", "F9", "22", false, 0, "Voidtouched Blade"},
                {"40", "00", "00", true, 10, "Bronze Gloves"}};
    for (const auto& k : keys) {
        QString record10 = ItemRecord::WithCode32(
            ItemRecord::WithItemByte(ItemRecord::ZeroRecord(Width::Narrow), S(k.id)), S(k.code32));
        if (k.unique)
            record10[14] = QLatin1Char('8');
        const QString record16 = ItemRecord::WithTypeNibble(
            ItemRecord::WithItemByte(ItemRecord::ZeroRecord(Width::Wide), S(k.id2)), k.type);
        const QString name = S(k.name);
        for (const auto& [record, width] :
             {std::pair{record10, Width::Narrow}, std::pair{record16, Width::Wide}}) {
            EXPECT_EQ(Catalogue::StoredRecord(record, width).name, name);
            EXPECT_EQ(Catalogue::PlacedOnGrid(record, width).name, name);
            EXPECT_EQ(Catalogue::PlacedInSlot(record, width), name);
            EXPECT_EQ(Catalogue::InfoLookup(record, width).name, name);
        }
    }

    EXPECT_EQ(Catalogue::WearTo(S("Traveler's Saber")), S("OR"));
    EXPECT_EQ(Catalogue::WeaponSetPiece(3).name, S("Silverleaf Bow"));
    EXPECT_EQ(Catalogue::ShieldSetPiece(1).name, S("Warden Shield"));
    EXPECT_EQ(Catalogue::SlotSetPiece(5, S("boots")).name, S("Moonweave Boots"));
    EXPECT_TRUE(Catalogue::SlotSetPiece(5, S("bo'ots")).name.isEmpty());
}

TEST_F(StatementCorpus, PropertyEditorSerials) {
    for (const char* expected : {"1001", "1002"}) {
        EXPECT_TRUE(run.exec(S("draw serial"), Db::Game, {ItemStatements::DrawItemSerial()}));
        EXPECT_TRUE(run.open(S("read serial"), Db::Game, {ItemStatements::LastItemSerial()}));
        EXPECT_EQ(run.value(0), S(expected));
    }
}

TEST_F(StatementCorpus, ItemConverter) {
    namespace Conversion = ItemConversion::Statements;
    const VaultSettings vaults = VaultSettings::Read();
    EXPECT_TRUE(run.open(S("totals"), Db::Game, {Conversion::Totals()}));
    EXPECT_EQ(run.value(1), S("35"));
    EXPECT_TRUE(run.open(S("vault total"), Db::Game, {Conversion::VaultTotal(vaults)}));
    EXPECT_EQ(run.value(0), S("4"));

    qint64 rows = 0;
    EXPECT_TRUE(run.open(S("read characters"), Db::Game, {Conversion::CharacterRows()}));
    ASSERT_TRUE(run.findRow(1, S("Fionn")));
    const QString inventory = S("0x") + columnText(run.bytes(2), 108, 16);
    EXPECT_TRUE(run.exec(S("write inventory"), Db::Game,
                         {ItemStatements::InventoryRewrite(run.value(0), run.value(1), inventory)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(ReadBytes(Db::Game, S("SELECT Inventory FROM Character WHERE Name='Fionn'")).size(), 1728);

    EXPECT_TRUE(run.open(S("read warehouses"), Db::Game, {ItemStatements::WarehouseRows()}));
    ASSERT_TRUE(run.findRow(0, S("o'brien")));
    EXPECT_TRUE(run.exec(
        S("write warehouse"), Db::Game,
        {ItemStatements::WarehouseRewrite(run.value(0), S("0x") + columnText(run.bytes(1), 120, 16))},
        &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("read vaults"), Db::Game, {Conversion::VaultRows(vaults)}));
    ASSERT_TRUE(run.findRow(2, S("2")));
    EXPECT_TRUE(run.exec(S("write vault"), Db::Game,
                         {Conversion::VaultRewrite(vaults, run.value(0), run.value(2),
                                                   S("0x") + columnText(run.bytes(1), 120, 16))},
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
    const QStringList names = Catalogue::AllItemNames();
    EXPECT_EQ(names.size(), 308);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }));
    EXPECT_TRUE(Catalogue::WipeItem(S("Voidtouched Blade")).found);
    EXPECT_FALSE(Catalogue::WipeItem(S("Any Item's")).found);

    VaultSettings vaults = VaultSettings::Read();
    vaults.enabled = false;
    EXPECT_TRUE(run.open(S("row totals"), Db::Game, {WalkStatements::Totals(vaults)}));
    EXPECT_EQ(run.columns(), 2);
    vaults.enabled = true;
    EXPECT_TRUE(run.open(S("row totals"), Db::Game, {WalkStatements::Totals(vaults)}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1), run.value(2)}),
              (QStringList{S("35"), S("20"), S("4")}));

    qint64 rows = 0;
    EXPECT_TRUE(run.open(S("inventory rows"), Db::Game, {WalkStatements::InventoryRows()}));
    ASSERT_TRUE(run.findRow(2, S("Fionn")));
    EXPECT_TRUE(run.exec(S("inventory rewrite"), Db::Game,
                         {ItemStatements::InventoryRewrite(run.value(0), run.value(2),
                                                           S("0x") + columnText(run.bytes(1), 108, width()))},
                         &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("warehouse rows"), Db::Game, {ItemStatements::WarehouseRows()}));
    ASSERT_TRUE(run.findRow(0, S("o'brien")));
    EXPECT_TRUE(run.exec(
        S("warehouse rewrite"), Db::Game,
        {ItemStatements::WarehouseRewrite(run.value(0), S("0x") + columnText(run.bytes(1), 120, width()))},
        &rows));
    EXPECT_EQ(rows, 1);

    EXPECT_TRUE(run.open(S("vault rows"), Db::Game, {WalkStatements::VaultRows(vaults)}));
    ASSERT_TRUE(run.findRow(0, S("vesper")));
    // The rewrite quotes the vault number; the row must still be found.
    EXPECT_TRUE(run.exec(S("vault rewrite"), Db::Game,
                         {WalkStatements::VaultRewrite(vaults, run.value(0), run.value(2),
                                                       S("0x") + columnText(run.bytes(1), 120, width()))},
                         &rows));
    EXPECT_EQ(rows, 1);

    const QString empty = S("0x") + repeated(emptyRecord(width()), 108);
    const QString emptyStore = S("0x") + repeated(emptyRecord(width()), 120);
    const struct {
        const char* form;
        QString text;
        qint64 rows;
    } wipes[] = {
        {"wipe all inventories", WalkStatements::WipeAllInventories(empty), 35},
        {"wipe all warehouses", WalkStatements::WipeAllWarehouses(emptyStore), 20},
        {"wipe all vaults", WalkStatements::WipeAllVaults(vaults, emptyStore), 4},
    };
    for (const auto& w : wipes) {
        EXPECT_TRUE(run.exec(S(w.form), Db::Game, {w.text}, &rows));
        EXPECT_EQ(rows, w.rows) << w.form;
    }
}

// ------------------------------------------------------------------ accounts and characters

TEST_F(StatementCorpus, AccountCreationAndEditing) {
    EXPECT_TRUE(run.open(S("account exists"), Db::Account, {Account::FindAccount(S("o'brien"))}));
    EXPECT_EQ(run.value(0), S("o'brien"));
    EXPECT_TRUE(run.open(S("account exists"), Db::Account, {Account::FindAccount(S("o'neil"))}));
    EXPECT_EQ(run.value(0), S("<no row>"));

    const Account::NewAccount plain{
        S("o'neil"),      S("pa'ss1"), S(kFreeText), S("1234567"), S("o'neil@valewind.test"),
        S("Pet's name?"), S("Ré'x")};
    Account::NewAccount hashed = plain;
    hashed.account = S("ha'shed");
    qint64 rows = 0;
    // Hashing off: the password goes in as text. Hashing on: a placeholder,
    // then the procedure stores the hash.
    EXPECT_TRUE(run.exec(S("create account"), Db::Account,
                         Account::InsertAccount(plain, Account::HashingOf(0)), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("create account"), Db::Account,
                         Account::InsertAccount(hashed, Account::HashingOf(1)), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.exec(S("hash password"), Db::Account, {Account::HashPassword(S("pa'ss2"), hashed.account)}));
    EXPECT_EQ(ReadText(Db::Account, S("SELECT length(memb__pwd) FROM MEMB_INFO WHERE memb___id='ha''shed'")),
              S("18"));

    auto stored = [&] {
        EXPECT_TRUE(run.open(S("load account"), Db::Account, {Account::LoadAccount(plain.account)}));
        QStringList fields;
        for (const char* column : {"memb__pwd", "memb_name", "mail_addr", "fpas_ques", "fpas_answ"})
            fields << run.value(S(column));
        return fields << Account::ShownPersonalId(run.value(S("sno__numb")));
    };
    EXPECT_EQ(stored(), (QStringList{plain.password, plain.name, plain.mail, plain.question, plain.answer,
                                     plain.personalId}));

    EXPECT_TRUE(run.exec(S("new password"), Db::Account,
                         {Account::SetPlainPassword(plain.account, S("pa'ss3"))}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("account fields"), Db::Account,
                         Account::UpdateAccountFields(plain.account, S("Ne'il"), S("neil@valewind.test"),
                                                      Account::StoredPersonalId(S("7654321")), S(kFreeText),
                                                      S("Te'al \"%\"")),
                         &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(stored(), (QStringList{S("pa'ss3"), S("Ne'il"), S("neil@valewind.test"), S(kFreeText),
                                     S("Te'al \"%\""), S("7654321")}));
}

TEST_F(StatementCorpus, Search) {
    using Target = Account::SearchTarget;
    const struct {
        Target target;
        Db db;
        const char* part;
        int found;
    } searches[] = {
        {Target::Accounts, Db::Account, "'", 1},  {Target::Accounts, Db::Account, "o'b", 1},
        {Target::Accounts, Db::Account, "\"", 0}, {Target::Characters, Db::Game, "", 35},
        {Target::Characters, Db::Game, "isa", 5}, {Target::Characters, Db::Game, "Ωμέγα", 0},
        {Target::Guilds, Db::Game, "ward", 1},    {Target::Guilds, Db::Game, "%", 5},
    };
    for (const auto& s : searches) {
        EXPECT_TRUE(run.open(S("search"), s.db, {Account::SearchNames(s.target, S(s.part))}));
        const QStringList found = run.rows();
        EXPECT_EQ(found.size(), s.found) << s.part;
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        }));
    }
}

namespace {

// The character editor's values after an operator's edit.
Character::CharacterUpdate edited(const QString& name) {
    Character::CharacterUpdate c;
    c.name = name;
    c.level = 150;
    c.freePoints = 12;
    c.classCode = 16;
    c.experience = 98000;
    c.strength = 120;
    c.agility = 80;
    c.vitality = 60;
    c.energy = 25;
    c.money = 500000;
    c.map = 3;
    c.x = 175;
    c.y = 116;
    c.pkLevel = 6;
    c.pkCount = 2;
    c.ctlCode = 1;
    c.questPrefix = S("FAFF");
    return c;
}

// A character made as the creation window makes it: the game server's
// procedure, then a number and an entry in the friend system. Returns the
// number.
int createCharacter(CorpusRunner& run, const QString& account, const QString& name, int classCode) {
    EXPECT_TRUE(run.open(S("name in use"), Db::Game, {Character::FindName(name)}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(
        run.exec(S("create character"), Db::Game, {Character::CreateCharacter(account, name, classCode)}));
    EXPECT_TRUE(run.open(S("name in use"), Db::Game, {Character::FindName(name)}));
    EXPECT_EQ(run.value(0), name);
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("friend number"), Db::Game, {Character::AddFriendNumber(name)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("read friend number"), Db::Game, {Character::FriendNumberOf(name)}));
    const int guid = run.value(0).toInt();
    EXPECT_TRUE(run.exec(S("friend entry"), Db::Game, {Character::AddFriendMain(guid, name)}, &rows));
    EXPECT_EQ(rows, 1);
    return guid;
}

} // namespace

TEST_F(StatementCorpus, CharacterEditor) {
    const ResetSettings resets = ResetSettings::Read();
    ASSERT_EQ(resets.InvalidName(), QString());

    EXPECT_TRUE(run.open(S("account check"), Db::Account, {Character::CheckAccount(S("o'brien"))}));
    EXPECT_EQ(run.value(S("memb_name")), S("Niall O'Brien"));
    EXPECT_TRUE(run.open(S("load character"), Db::Game, Character::LoadCharacter(S("Kaelin"))));
    EXPECT_EQ(run.value(S("Class")), S("16"));
    EXPECT_EQ(BytesToHex(run.bytes(28)).left(4), S("EAFF"));
    EXPECT_TRUE(run.open(S("guild membership"), Db::Game, {Character::GuildOf(S("Kaelin"))}));
    EXPECT_EQ(run.value(S("G_Status")), S("64"));
    EXPECT_TRUE(run.open(S("load resets"), Db::Game, {Resets::ReadResets(resets, S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("3"));

    qint64 rows = 0;
    EXPECT_TRUE(
        run.exec(S("save character"), Db::Game, Character::UpdateCharacter(edited(S("Kaelin"))), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, S("SELECT Quest FROM Character WHERE Name='Kaelin'"))),
              S("FAFF") + QString(96, QLatin1Char('F')));
    EXPECT_TRUE(run.open(S("load character"), Db::Game, Character::LoadCharacter(S("Kaelin"))));
    EXPECT_EQ((QStringList{run.value(S("cLevel")), run.value(S("MapPosX")), run.value(S("PkLevel"))}),
              (QStringList{S("150"), S("175"), S("6")}));

    EXPECT_TRUE(run.exec(S("save resets"), Db::Game, {Resets::WriteResets(resets, S("Kaelin"), 4)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("save resets"), Db::Game, {Resets::WriteResets(resets, S("O'Hollow"), 4)}, &rows));
    EXPECT_EQ(rows, 0);
}

TEST_F(StatementCorpus, CharacterCreationRenamingAndMoving) {
    const QString wren = S("O'Wren");
    const QString renamed = S("Wrën'na");
    EXPECT_EQ(createCharacter(run, S("lark"), wren, 32), 36);

    // The new character in the editor.
    EXPECT_TRUE(run.open(S("load character"), Db::Game, Character::LoadCharacter(wren)));
    EXPECT_EQ(run.value(S("AccountID")), S("lark"));
    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("save character"), Db::Game, Character::UpdateCharacter(edited(wren)), &rows));
    EXPECT_EQ(rows, 1);

    // Renaming: O'Wren stands in lark's second slot.
    EXPECT_TRUE(run.exec(S("rename character"), Db::Game,
                         {Character::RenameCharacter(S("lark"), wren, renamed)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("rename slots"), Db::Game, {Character::SlotsOf(S("lark"))}));
    EXPECT_EQ(run.value(1), wren);
    EXPECT_TRUE(run.exec(S("rename slot"), Db::Game, {Character::RenameSlot(S("lark"), 2, renamed)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.exec(S("rename friend number"), Db::Game, {Character::RenameFriendNumber(wren, renamed)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(
        run.exec(S("rename friend entry"), Db::Game, {Character::RenameFriendEntry(wren, renamed)}, &rows));
    EXPECT_EQ(rows, 1);
    // A new character is named in nobody's friend list, request or letter.
    for (const QString& statement :
         {Character::RenameInFriendLists(wren, renamed), Character::RenameInFriendRequests(wren, renamed),
          Character::RenameLetterSender(wren, renamed)}) {
        EXPECT_TRUE(run.exec(S("rename in the friend system"), Db::Game, {statement}, &rows));
        EXPECT_EQ(rows, 0);
    }
    EXPECT_TRUE(run.open(S("rename slots"), Db::Game, {Character::SlotsOf(S("lark"))}));
    EXPECT_EQ(run.value(1), renamed);

    // Moving: the procedure answers 0 when it moved the character, 1 when an
    // account is connected (o'brien is, so its quoted name was found) and
    // 10 for a guild member (Brann).
    const struct {
        const char *from, *name, *to, *answer;
    } moves[] = {{"lark", "Wrën'na", "pellam", "0"},
                 {"pellam", "Wrën'na", "o'brien", "1"},
                 {"marlow", "Brann", "pellam", "10"}};
    for (const auto& m : moves) {
        EXPECT_TRUE(
            run.open(S("move character"), Db::Game, Character::MoveCharacter(S(m.from), S(m.name), S(m.to))));
        EXPECT_EQ(run.value(0), S(m.answer)) << m.name << " to " << m.to;
    }
    EXPECT_EQ(ReadText(Db::Game, S("SELECT AccountID FROM Character WHERE Name='Wrën''na'")), S("pellam"));
}

TEST_F(StatementCorpus, SkillListEditor) {
    EXPECT_TRUE(run.open(S("load skills"), Db::Game, {Skill::ReadSkills(S("Tamsy"))}));
    EXPECT_EQ(run.bytes(0).size(), 128);
    // The catalogue's skill lookups run their own statements.
    EXPECT_EQ(Catalogue::SkillClasses().size(), 8);
    EXPECT_EQ(Catalogue::SkillName(S("01")), S("Fire Bolt"));
    EXPECT_EQ(Catalogue::SkillNumber(S("Fire Bolt")), S("01"));
    EXPECT_GT(Catalogue::SkillNames().size(), Catalogue::SkillNames(S("Dark Wizard")).size());
    EXPECT_TRUE(Catalogue::SkillNames(S("Dark Wizard's")).isEmpty());

    qint64 rows = 0;
    EXPECT_TRUE(
        run.exec(S("save skills"), Db::Game, Skill::WriteSkills(S("Tamsy"), {S("01"), S("1A")}), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, S("SELECT MagicList FROM Character WHERE Name='Tamsy'"))),
              S("010000") + S("1A0000") + repeated(S("FF0000"), 40) + S("FF00"));
    EXPECT_TRUE(run.exec(S("save skills"), Db::Game, Skill::WriteSkills(S("O'Hollow"), {}), &rows));
    EXPECT_EQ(rows, 0);
}

TEST_F(StatementCorpus, FriendsAndLetters) {
    EXPECT_TRUE(run.open(S("friend entry"), Db::Game, {Friend::Entry(S("Kaelin"))}));
    const int guid = run.value(0).toInt();
    EXPECT_EQ(guid, 1);
    EXPECT_TRUE(run.open(S("friend list"), Db::Game, {Friend::Friends(guid)}));
    EXPECT_EQ(run.rows(1), (QStringList{S("Sparrow"), S("Brann"), S("Fionn")}));
    EXPECT_TRUE(run.open(S("subjects"), Db::Game, {Friend::Subjects(guid)}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("requests"), Db::Game, {Friend::WaitingRequests(guid)}));
    EXPECT_EQ(run.rows(1), (QStringList{S("Thornback"), S("Isa")}));

    EXPECT_TRUE(
        run.open(S("letter by subject"), Db::Game, {Friend::LettersWithSubject(guid, S("Guild war"))}));
    const int index = run.value(2).toInt();
    EXPECT_EQ(index, 12);
    EXPECT_TRUE(run.open(S("letter by subject"), Db::Game, {Friend::LettersWithSubject(guid, S(kFreeText))}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(run.open(S("letter by number"), Db::Game, {Friend::Letter(guid, index)}));
    EXPECT_EQ(run.bytes(0).at(1), '\0');
    EXPECT_EQ(run.value(1), S("False"));

    // Every procedure answers 0 when it did its work; O'Wren is new and
    // goes through request, friendship and removal.
    const QString kaelin = S("Kaelin");
    const QString wren = S("O'Wren");
    (void)createCharacter(run, S("lark"), wren, 32);
    const struct {
        const char* form;
        QString text;
    } calls[] = {
        {"send request", Friend::SendRequest(kaelin, wren)},
        {"accept request", Friend::AcceptRequest(wren, kaelin)},
        {"remove friend", Friend::RemoveFriend(wren, kaelin)},
        {"send request", Friend::SendRequest(kaelin, S("Maeve"))},
        {"remove friend", Friend::RemoveFriend(kaelin, S("Brann"))},
        {"accept request", Friend::AcceptRequest(kaelin, S("Thornback"))},
        {"deny request", Friend::DenyRequest(kaelin, S("Isa"))},
        {"delete letter", Friend::DeleteLetter(kaelin, index)},
    };
    for (const auto& call : calls) {
        EXPECT_TRUE(run.open(S(call.form), Db::Game, {call.text}));
        EXPECT_EQ(run.value(0), S("0")) << call.text.toStdString();
    }
}

// ------------------------------------------------------------------ guilds and castle siege

TEST_F(StatementCorpus, GuildEditor) {
    const QString ironveil = S("Ironveil");
    EXPECT_TRUE(run.open(S("guild exists"), Db::Game, {Guild::Find(ironveil)}));
    EXPECT_EQ(run.value(S("G_Master")), S("Thornback"));
    EXPECT_TRUE(run.open(S("load guild"), Db::Game, {Guild::Details(ironveil)}));
    const GuildMark::Cells mark = GuildMark::FromBytes(run.bytes(0));
    EXPECT_TRUE(run.open(S("members"), Db::Game, {Guild::Members(ironveil)}));
    EXPECT_EQ(run.value(0), S("Thornback"));

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("save guild"), Db::Game, Guild::Save(ironveil, mark, S(kFreeText), 1900), &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.open(S("load guild"), Db::Game, {Guild::Details(ironveil)}));
    EXPECT_EQ(
        (QStringList{GuildMark::ToText(GuildMark::FromBytes(run.bytes(0))), run.value(1), run.value(2)}),
        (QStringList{GuildMark::ToText(mark), S("1900"), S(kFreeText)}));

    EXPECT_TRUE(run.open(S("member character"), Db::Game, {Guild::MemberCharacter(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("kestrel"));
    EXPECT_TRUE(run.open(S("member rank"), Db::Game, {Guild::MemberRank(S("Kaelin"))}));
    EXPECT_EQ(run.value(0), S("64"));
    EXPECT_TRUE(run.exec(S("change rank"), Db::Game, {Guild::SetMemberStatus(S("Briar"), 32)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(run.exec(S("kick"), Db::Game, {Guild::Kick(S("Corvus"))}, &rows));
    EXPECT_EQ(rows, 1);

    // Union: Ironveil and Lanterns share union 1; Duskward joins and leaves.
    EXPECT_TRUE(run.open(S("union of guild"), Db::Game, {Guild::UnionOf(ironveil)}));
    const int u = run.value(0).toInt();
    EXPECT_EQ(u, 1);
    EXPECT_TRUE(run.open(S("union guilds"), Db::Game, {Guild::UnionGuilds(u)}));
    EXPECT_EQ(run.rows(), (QStringList{S("Ironveil"), S("Lanterns")}));
    EXPECT_TRUE(run.open(S("highest union"), Db::Game, {Guild::HighestUnion()}));
    EXPECT_EQ(run.value(0), S("1"));
    for (const int joined : {u, 0}) {
        EXPECT_TRUE(run.exec(S("union"), Db::Game, {Guild::SetUnion(S("Duskward"), joined)}, &rows));
        EXPECT_EQ(rows, 1);
    }
    EXPECT_TRUE(run.open(S("union guilds"), Db::Game, {Guild::UnionGuilds(u)}));
    EXPECT_EQ(run.rows().size(), 2);
}

TEST_F(StatementCorpus, GuildCreation) {
    const QString maeve = S("Maeve");
    const QString hearth = S("O'Hearth");
    EXPECT_TRUE(run.open(S("master exists"), Db::Game, {Guild::FindCharacter(maeve)}));
    EXPECT_EQ(run.value(S("Name")), maeve);
    EXPECT_TRUE(run.open(S("guild name taken"), Db::Game, {Guild::FindName(hearth)}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(run.open(S("master taken"), Db::Game, {Guild::FindMaster(maeve)}));
    EXPECT_EQ(run.value(0), S("<no row>"));
    EXPECT_TRUE(run.open(S("create guild"), Db::Game, {Guild::Create(hearth, maeve)}));
    EXPECT_EQ(run.value(0), S("0"));
    EXPECT_TRUE(run.open(S("guild name taken"), Db::Game, {Guild::FindName(hearth)}));
    EXPECT_EQ(run.value(0), hearth);

    qint64 rows = 0;
    EXPECT_TRUE(run.exec(S("master rank"), Db::Game, {Guild::MakeMaster(maeve)}, &rows));
    EXPECT_EQ(rows, 1);
    GuildMark::Cells mark{};
    mark.front() = 4;
    mark.back() = 3;
    EXPECT_TRUE(run.exec(S("guild mark"), Db::Game, {Guild::SetMarkOfMaster(maeve, mark)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(BytesToHex(ReadBytes(Db::Game, S("SELECT G_Mark FROM Guild WHERE G_Name='O''Hearth'"))),
              S("4") + QString(62, QLatin1Char('0')) + S("3"));
}

TEST_F(StatementCorpus, CastleSiegeEditor) {
    using CastleGeometry::NpcKind;
    const int registration = 0; // map server group in registration
    const int listSet = 1;      // map server group with the guild list set
    const auto gates = CastleGeometry::Places(NpcKind::Gate);
    const auto statues = CastleGeometry::Places(NpcKind::Statue);

    for (const int group : {registration, listSet}) {
        EXPECT_TRUE(run.open(S("castle data"), Db::Game, {Castle::Data(group)}));
        EXPECT_EQ(run.value(3), group == registration ? S("False") : S("True"));
    }
    EXPECT_TRUE(run.open(S("registered guilds"), Db::Game, {Castle::RegisteredGuilds(registration)}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("selected guilds"), Db::Game, {Castle::SelectedGuilds(listSet)}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("owner list"), Db::Game, {Castle::GuildNames()}));
    EXPECT_EQ(run.value(0), S("Duskward"));

    // Gates 1-4 and statues 1-3 stand in group 0.
    for (const auto& [kind, places, standing] :
         {std::tuple{NpcKind::Gate, gates, 4}, std::tuple{NpcKind::Statue, statues, 3}}) {
        for (const CastleGeometry::NpcPlace& place : places) {
            EXPECT_TRUE(run.open(S("gate or statue"), Db::Game, {Castle::Npc(registration, kind, place)}));
            EXPECT_EQ(run.rows().size(), place.number <= standing ? 1 : 0) << place.number;
        }
    }

    qint64 rows = 0;
    const struct {
        const char* form;
        QString text;
    } npcWrites[] = {
        {"buy", Castle::BuyNpc(registration, NpcKind::Gate, gates[4], 500000)},
        {"buy", Castle::BuyNpc(registration, NpcKind::Statue, statues[3], 400000)},
        {"delete npc", Castle::DeleteNpc(registration, gates[4])},
        {"life", Castle::SetNpcLife(registration, gates[2], 700000)},
        {"defence level", Castle::SetNpcDefence(registration, gates[2], 2)},
        {"regeneration level", Castle::SetNpcRegeneration(registration, statues[2], 3)},
        {"raise gate life", Castle::RaiseNpcLife(registration, NpcKind::Gate, gates[2], 1500000)},
        {"raise statue life", Castle::RaiseNpcLife(registration, NpcKind::Statue, statues[1], 2500000)},
    };
    for (const auto& w : npcWrites) {
        EXPECT_TRUE(run.exec(S(w.form), Db::Game, {w.text}, &rows));
        EXPECT_EQ(rows, 1) << w.form;
    }
    EXPECT_TRUE(run.open(S("gate"), Db::Game, {Castle::Npc(registration, NpcKind::Gate, gates[2])}));
    EXPECT_EQ((QStringList{run.value(1), run.value(2), run.value(3)}),
              (QStringList{S("2"), S("1500000"), S("1500000")}));

    EXPECT_TRUE(run.open(S("guild details"), Db::Game, {Castle::GuildSummary(S("Duskward"))}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1)}), (QStringList{S("Fenwick"), S("4")}));
    EXPECT_TRUE(run.open(S("registration"), Db::Game, {Castle::Registration(registration, S("Duskward"))}));
    EXPECT_EQ((QStringList{run.value(0), run.value(1)}), (QStringList{S("0"), S("34")}));
    EXPECT_TRUE(run.open(S("involvement"), Db::Game, {Castle::Involvement(listSet, S("Ironveil"))}));
    EXPECT_EQ(run.value(0), S("True"));

    // A guild named with a quote goes through registration and back out.
    EXPECT_TRUE(run.open(S("next sequence"), Db::Game, {Castle::NextSequence()}));
    const qint64 sequence = run.value(0).toLongLong();
    EXPECT_EQ(sequence, 4);
    const QString hearth = S("O'Hearth");
    const struct {
        const char* form;
        QString text;
    } guildWrites[] = {
        {"give up", Castle::SetGiveUp(registration, S("Tidecall"), 1)},
        {"involved", Castle::SetInvolved(listSet, S("Lanterns"), 0)},
        {"marks", Castle::SetMarks(registration, S("Duskward"), 40)},
        {"register guild", Castle::Register(registration, hearth, sequence)},
        {"marks", Castle::SetMarks(registration, hearth, 7)},
        {"unregister guild", Castle::Unregister(registration, hearth)},
        {"unselect guild", Castle::Unselect(listSet, S("Lanterns"))},
    };
    for (const auto& w : guildWrites) {
        EXPECT_TRUE(run.exec(S(w.form), Db::Game, {w.text}, &rows));
        EXPECT_EQ(rows, 1) << w.form;
    }
    EXPECT_TRUE(run.open(S("registration"), Db::Game, {Castle::Registration(registration, S("Duskward"))}));
    EXPECT_EQ(run.value(1), S("40"));

    for (const Castle::CastleData& data : {Castle::CastleData{true, hearth, 1000, 2, 1, 150000},
                                           Castle::CastleData{false, QString(), 0, 0, 0, 0}}) {
        EXPECT_TRUE(run.exec(S("save castle"), Db::Game, {Castle::Save(registration, data)}, &rows));
        EXPECT_EQ(rows, 1);
        EXPECT_TRUE(run.open(S("castle data"), Db::Game, {Castle::Data(registration)}));
        EXPECT_EQ(
            (QStringList{run.value(5), run.value(6), run.value(7)}),
            (QStringList{data.occupied ? S("True") : S("False"), data.owner, QString::number(data.money)}));
    }
}

// ------------------------------------------------------------------ reports

TEST_F(StatementCorpus, Ranking) {
    using Group = Report::RankingGroup;
    const struct {
        Group group;
        Db db;
        int count;
        const char* first;
    } tops[] = {{Group::Character, Db::Game, 35, nullptr},
                {Group::DevilSquare, Db::Ranking, -1, nullptr},
                {Group::Guild, Db::Game, 5, "Ironveil"}};
    for (const auto& t : tops) {
        EXPECT_TRUE(run.open(S("top 100"), t.db, {Report::RankingTop(t.group)}));
        if (t.first) {
            EXPECT_EQ(run.value(0), S(t.first));
        }
        const auto count = run.rows().size();
        EXPECT_TRUE(t.count < 0 ? count > 0 : count == t.count) << int(t.group);
    }

    const struct {
        Group group;
        Db db;
        const char* name;
        QStringList first; // the leading columns of the row
    } details[] = {
        {Group::Character, Db::Game, "Brann", {S("marlow"), S("380"), S("17")}},
        {Group::DevilSquare, Db::Ranking, "Brann", {S("marlow")}},
        {Group::Guild, Db::Game, "Duskward", {S("Fenwick"), S("1275"), S("4")}},
        {Group::Character, Db::Game, "O'Hollow", {S("<no row>")}},
        {Group::Guild, Db::Game, "O'Hearth", {S("<no row>")}},
    };
    for (const auto& d : details) {
        EXPECT_TRUE(run.open(S("details"), d.db, {Report::RankingDetails(d.group, S(d.name))}));
        QStringList row;
        for (int c = 0; c < d.first.size(); ++c)
            row << run.value(c);
        EXPECT_EQ(row, d.first) << d.name;
    }
    EXPECT_TRUE(run.open(S("resets"), Db::Game, {Resets::ReadResets(ResetSettings::Read(), S("Brann"))}));
    EXPECT_EQ(run.value(0), S("12"));
}

TEST_F(StatementCorpus, UsageLog) {
    EXPECT_TRUE(run.open(S("server names"), Db::Account, {Report::ServerNames()}));
    EXPECT_EQ(run.rows().size(), 2);

    const QDate day(2026, 12, 8);
    const QDate noTable(2007, 1, 10);
    const QString table = Report::LogTable(day);
    EXPECT_TRUE(run.open(S("day probe"), Db::Log, {Report::LogTableProbe(day)}));
    EXPECT_TRUE(run.fails(S("day probe"), Db::Log, {Report::LogTableProbe(noTable)}, true));

    // Chart: the 24 hours together hold every minute and every connection
    // of the day, for all servers and for one.
    for (const char* server : {"", "Valewind-1"}) {
        const QString where = *server ? S(" WHERE ServerName='") + S(server) + S("'") : QString();
        int minutes = 0;
        int connected = 0;
        for (int h = 0; h < 24; ++h) {
            ASSERT_TRUE(run.open(S("chart hour"), Db::Log, {Report::ChartHour(day, h, S(server))}));
            minutes += run.value(0).toInt();
            connected += run.value(1).toInt();
        }
        EXPECT_EQ(QString::number(minutes),
                  ReadText(Db::Log, S("SELECT sum(UsedTime) FROM ") + table + where));
        EXPECT_GT(connected, 0);
    }
    EXPECT_TRUE(run.open(S("chart hour"), Db::Log, {Report::ChartHour(day, 3, S("O'Vale"))}));
    // The window opens on a day the demo has no table for.
    EXPECT_TRUE(run.fails(S("chart hour"), Db::Log, {Report::ChartHour(noTable, 5, QString())}, true));

    // Each filter against the same rows counted in plain SQLite.
    using Pay = Report::PayFilter;
    using Used = Report::UsedTimeFilter;
    using Filter = Report::LogFilter;
    auto account = [](const char* text) {
        Filter f;
        f.accountLike = true;
        f.account = S(text);
        return f;
    };
    auto typed = [](const char* server, Pay pay, Used used, int minutes) {
        Filter f;
        f.server = S(server);
        f.pay = pay;
        f.usedTime = used;
        f.minutes = minutes;
        return f;
    };
    Filter addresses;
    addresses.addressBetween = true;
    addresses.addressFrom = S("010.020.001.000");
    addresses.addressTo = S("010.020.005.255");
    const struct {
        Filter filter;
        const char* plain;
    } filters[] = {
        {Filter(), "1=1"},
        {account("kes"), "Id LIKE '%kes%'"},
        {account("o'brien"), "Id = 'o''brien'"},
        {account("\"%"), "0=1"},
        {addresses, "Ip BETWEEN '010.020.001.000' AND '010.020.005.255'"},
        {typed("", Pay::Free, Used::Any, 0), "PayCode=5"},
        {typed("", Pay::Any, Used::MoreThan, 30), "UsedTime BETWEEN 30 AND 9999"},
        {typed("Valewind-2", Pay::Month, Used::EqualTo, 0),
         "UsedTime=0 AND PayCode=4 AND ServerName='Valewind-2'"},
        {typed("", Pay::Hour, Used::LessThan, 20), "UsedTime BETWEEN 0 AND 20 AND PayCode=2"},
        {typed("O'Vale", Pay::Any, Used::Any, 0), "0=1"},
    };
    for (const auto& f : filters) {
        ASSERT_TRUE(run.open(S("log table"), Db::Log, {Report::LogRows(day, f.filter)}));
        EXPECT_EQ(QString::number(run.rows().size()),
                  ReadText(Db::Log, S("SELECT count(*) FROM ") + table + S(" WHERE ") + S(f.plain)))
            << f.plain;
    }
    EXPECT_GT(ReadText(Db::Log, S("SELECT count(*) FROM ") + table + S(" WHERE Id = 'o''brien'")).toInt(), 0);
    // No table for the day: the window answers "The Day you selected is not
    // avaible!".
    EXPECT_TRUE(run.fails(S("log table"), Db::Log, {Report::LogRows(noTable, Filter())}, true));
}

TEST_F(StatementCorpus, ConnectedUsersAndGameMasters) {
    EXPECT_TRUE(run.open(S("connected accounts"), Db::Account, {Report::ConnectedAccounts()}));
    EXPECT_EQ(run.rows().size(), 7);

    const QString a = AccountDatabaseName();
    const QString g = GameDatabaseName();
    EXPECT_EQ(a, S("TanorOnline"));
    // sable has no character slots and still shows its address. With no
    // database name recorded the tables resolve in the game connection's
    // own database.
    const struct {
        QString accountDb, gameDb;
        const char *account, *address, *character;
    } connections[] = {
        {a, g, "kestrel", "10.20.1.15", "Kaelin"},
        {a, g, "o'brien", "10.20.7.102", "Fionn"},
        {a, g, "sable", "10.20.1.1", ""},
        {QString(), QString(), "kestrel", "10.20.1.15", "Kaelin"},
    };
    for (const auto& c : connections) {
        EXPECT_TRUE(run.open(S("connection details"), Db::Game,
                             {Report::ConnectionDetails(c.accountDb, c.gameDb, S(c.account))}));
        EXPECT_EQ((QStringList{run.value(1), run.value(4)}), (QStringList{S(c.address), S(c.character)}))
            << c.account;
    }

    EXPECT_TRUE(run.open(S("game masters"), Db::Game, {Report::GameMasters()}));
    EXPECT_EQ(run.rows().size(), 3);
    EXPECT_TRUE(run.open(S("game master account"), Db::Game, {Report::CharacterAccount(S("GM_Birch"))}));
    EXPECT_EQ(run.value(0), S("gmoffice"));
    qint64 rows = 0;
    for (const char* name : {"GM_Birch", "O'Hollow"}) {
        EXPECT_TRUE(run.exec(S("ban game master"), Db::Game, {Report::BlockCharacter(S(name))}, &rows));
        EXPECT_EQ(rows, *name == 'G' ? 1 : 0) << name;
    }
    EXPECT_TRUE(run.open(S("game masters"), Db::Game, {Report::GameMasters()}));
    EXPECT_EQ(run.rows().size(), 2);
}

TEST_F(StatementCorpus, CatalogueTableEditor) {
    for (const auto& [table, columns] : {std::pair{"Item", 13}, std::pair{"Skill", 3}}) {
        ASSERT_TRUE(Report::IsCatalogueTable(S(table)));
        EXPECT_TRUE(run.open(S("whole table"), Db::Catalogue, {Report::CatalogueRows(S(table))}));
        EXPECT_EQ(run.columns(), columns + 1); // the rowid first
        EXPECT_TRUE(run.open(S("row count"), Db::Catalogue, {Report::CatalogueCount(S(table))}));
        EXPECT_EQ(run.value(0), ReadText(Db::Catalogue, S("SELECT count(*) FROM ") + S(table)));
    }

    // A row with a quoted name, a NULL and numbers goes in, changes and
    // goes away, found by its rowid.
    using Column = Report::CatalogueColumn;
    const QVector<Column> columns{
        {S("Name"), false}, {S("Type"), false}, {S("SetItem"), false}, {S("x"), true}, {S("y"), true}};
    const QVector<QVariant> added{S(kFreeText), S("Swords"), QVariant(), qint64(1), qint64(3)};
    const QVector<QVariant> changed{S("Dragon's Fang"), S("Swords"), S("any"), qint64(2), qint64(4)};
    const QString count = S("SELECT count(*) FROM Item WHERE Name=");
    qint64 rows = 0;
    EXPECT_TRUE(run.open(
        S("insert row"), Db::Catalogue,
        {Report::CatalogueInsert(S("Item"), columns, added) + S(";"), Report::CatalogueInsertedRow()}));
    const qint64 id = run.value(0).toLongLong();
    EXPECT_EQ(ReadText(Db::Catalogue, count + Q(S(kFreeText))), S("1"));
    EXPECT_EQ(ReadText(Db::Catalogue, S("SELECT Name FROM Item WHERE rowid=") + QString::number(id)),
              S(kFreeText));
    EXPECT_TRUE(run.exec(S("update row"), Db::Catalogue,
                         {Report::CatalogueUpdate(S("Item"), columns, id, changed)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(ReadText(Db::Catalogue, count + Q(S("Dragon's Fang"))), S("1"));
    EXPECT_TRUE(run.exec(S("delete row"), Db::Catalogue, {Report::CatalogueDelete(S("Item"), id)}, &rows));
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(ReadText(Db::Catalogue, count + Q(S("Dragon's Fang"))), S("0"));

    // An import empties the table and fills it in one transaction; rolled
    // back, nothing has changed.
    const QString skills = ReadText(Db::Catalogue, S("SELECT count(*) FROM Skill"));
    EXPECT_TRUE(run.exec(S("clear table rolled back"), Db::Catalogue,
                         {Report::CatalogueBegin() + S(";"), Report::CatalogueClear(S("Skill")) + S(";"),
                          Report::CatalogueRollback()}));
    EXPECT_EQ(ReadText(Db::Catalogue, S("SELECT count(*) FROM Skill")), skills);
    EXPECT_TRUE(run.exec(S("clear table"), Db::Catalogue,
                         {Report::CatalogueBegin() + S(";"), Report::CatalogueClear(S("Skill")) + S(";"),
                          Report::CatalogueCommit()}));
    EXPECT_EQ(ReadText(Db::Catalogue, S("SELECT count(*) FROM Skill")), S("0"));
}

// ------------------------------------------------------------------ coverage

// Every statement builder of the account, character, skill, friend, guild,
// castle, report and reset modules is run above. A builder added to one of them
// without a run here fails this test.
TEST(StatementCorpusCoverage, EveryBuilderRuns) {
    const QString root = S(TANOR_SOURCE_DIR) + QLatin1Char('/');
    auto read = [&](const char* file) {
        QFile f(root + S(file));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file;
        return QString::fromUtf8(f.readAll());
    };
    const QString corpus = read("tests/resources/StatementCorpusTest.cpp");
    // Text helpers of those modules that are no statement.
    const QStringList helpers = {S("HashingText"), S("StoredPersonalId"), S("DatabaseName"),
                                 S("InvalidName")};
    const struct {
        const char* header;
        const char* alias;
    } modules[] = {
        {"accounts/AccountStatements.h", "Account"}, {"accounts/CharacterStatements.h", "Character"},
        {"accounts/SkillStatements.h", "Skill"},     {"accounts/FriendStatements.h", "Friend"},
        {"guilds/GuildStatements.h", "Guild"},       {"guilds/CastleStatements.h", "Castle"},
        {"reports/ReportStatements.h", "Report"},    {"core/ResetStatements.h", "Resets"},
    };
    static const QRegularExpression builder(S("\\]\\]\\s*QString(?:List)?\\s+(\\w+)\\("));
    for (const auto& m : modules) {
        int builders = 0;
        for (const QRegularExpressionMatch& match : builder.globalMatch(read(m.header))) {
            const QString name = match.captured(1);
            if (helpers.contains(name))
                continue;
            ++builders;
            EXPECT_TRUE(corpus.contains(S(m.alias) + S("::") + name + QLatin1Char('(')))
                << m.alias << "::" << name.toStdString() << " is not run";
        }
        EXPECT_GT(builders, 0) << "no builder found in " << m.header;
    }
}

} // namespace
