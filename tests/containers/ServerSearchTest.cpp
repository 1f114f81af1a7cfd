// The whole-server passes (find, duplicated serials, server check, erasing
// chosen items) on a small planted server, narrow and wide.

#include "SearchServer.h"

#include "containers/DuplicateSerials.h"
#include "containers/ItemSearch.h"
#include "containers/ServerCheck.h"
#include "containers/ServerScan.h"
#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"
#include "items/CatalogueIndex.h"
#include "items/StoredItem.h"
#include "items/UndoFile.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QRandomGenerator>

using namespace SearchServer;

namespace {

TEST_F(ServerSearchTest, EachCriterionAloneAndCombinedFindsItsItems) {
    plant();
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    using C = ItemSearch::Criteria;
    const auto with = [](auto set) {
        C c;
        set(c);
        return c;
    };
    const std::set<QString> kukris{fs("I:c1:13"),   fs("I:c1:15"),   fs("I:c2:30"), fs("W:acc1:1"),
                                   fs("W:acc1:70"), fs("W:acc1:71"), fs("V:acc1:5")};
    const std::set<QString> staffs{fs("I:c1:1"), fs("W:acc1:50"), fs("W:acc1:51"), fs("W:acc1:90"),
                                   fs("W:acc1:91")};
    struct Case {
        const char* name;
        C criteria;
        std::set<QString> expected;
    };
    const Case cases[] = {
        {"item", with([](C& c) { c.item = fs("Kukri"); }), kukris},
        {"type", with([](C& c) { c.type = fs("Staffs"); }), staffs},
        {"name contains, any case", with([](C& c) { c.nameContains = fs("o'b"); }), staffs},
        {"level range", with([](C& c) { c.levelMin = 5, c.levelMax = 9; }), {fs("I:c1:13")}},
        {"any excellent", with([](C& c) { c.excellent = 0x06; }), {fs("I:c1:13")}},
        {"all excellent", with([](C& c) { c.excellent = 0x06, c.allExcellent = true; }), {}},
        {"luck", with([](C& c) { c.luck = true; }), {fs("I:c1:13")}},
        {"skill", with([](C& c) { c.skill = true; }), {fs("I:c1:13")}},
        {"ancient", with([](C& c) { c.ancient = true; }), {fs("V:acc1:5")}},
        {"8-digit serial",
         with([](C& c) { c.serial = ItemSearch::SerialOf(fs("00000101")); }),
         {fs("I:c1:13"), fs("W:acc1:1"), fs("V:acc1:5")}},
        {"6-digit serial behind F9",
         with([](C& c) { c.serial = ItemSearch::SerialOf(fs("000777")); }),
         {fs("W:acc1:50"), fs("W:acc1:51")}},
        {"unknown", with([](C& c) { c.unknownOnly = true; }), {fs("W:acc1:60")}},
        {"container kinds",
         with([](C& c) {
             c.item = fs("Kukri"), c.kinds = {false, true, false};
         }),
         {fs("W:acc1:1"), fs("W:acc1:70"), fs("W:acc1:71")}},
        {"combined",
         with([](C& c) {
             c.item = fs("Kukri"), c.levelMax = 0, c.kinds = {true, false, false};
         }),
         {fs("I:c1:15")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int streamed = 0;
        const ItemSearch::Result r =
            ItemSearch::Find(options(), catalogue, c.criteria, {}, [&](const Found&) { ++streamed; });
        EXPECT_EQ(places(r.items), c.expected);
        EXPECT_EQ(r.matched, qint64(c.expected.size()));
        EXPECT_EQ(streamed, int(c.expected.size()));
        EXPECT_FALSE(r.partial);
    }
    // Everything but the columns that are not whole records of this width.
    const ItemSearch::Result all = ItemSearch::Find(options(), catalogue, {}, {}, {}, 4);
    EXPECT_EQ(all.matched, 15);
    EXPECT_EQ(all.items.size(), 4u); // the cap on kept results
    for (const char* bad : {"12345", "1234567", "GGGGGG", ""})
        EXPECT_THROW((void)ItemSearch::SerialOf(fs(bad)), ConvertError) << bad;
}

TEST_F(ServerSearchTest, FoundItemsCarryTheirPlaceRecordAndDecodedFields) {
    plant();
    ItemSearch::Criteria c;
    c.serial = 0x333;
    const ItemSearch::Result r = ItemSearch::Find(options(), CatalogueIndex::Load(), c, {});
    ASSERT_EQ(r.items.size(), 1u);
    const Found& f = r.items.front();
    EXPECT_EQ(f.account, fs("acc1"));
    EXPECT_EQ(f.second, fs("c1"));
    EXPECT_EQ(f.record, BytesToHex(staff(0x333)));
    EXPECT_EQ(f.name, fs("Staff of O'Brien"));
    EXPECT_EQ(f.item.SerialText(), fs("000333"));
    EXPECT_EQ(ServerScan::PlaceText(f), fs("c1 (acc1)"));
}

TEST_F(ServerSearchTest, DuplicatedSerialsAreGroupedLargestFirstLeavingOutSerialsOfNoItem) {
    plant();
    const DuplicateSerials::Report r = DuplicateSerials::Find(options(), CatalogueIndex::Load(), {});
    ASSERT_EQ(r.groups.size(), 2u);
    EXPECT_EQ(r.groups[0].serial, 0x101u); // an inventory, a warehouse and a vault
    EXPECT_EQ(places(r.groups[0].holders),
              (std::set<QString>{fs("I:c1:13"), fs("W:acc1:1"), fs("V:acc1:5")}));
    EXPECT_EQ(r.groups[1].serial, 0x777u); // identical copies in one warehouse
    EXPECT_EQ(places(r.groups[1].holders), (std::set<QString>{fs("W:acc1:50"), fs("W:acc1:51")}));
    EXPECT_EQ(r.serials, 2);
    EXPECT_EQ(r.holders, 5);
    EXPECT_FALSE(r.partial);
    EXPECT_FALSE(r.truncated);

    // Past the cap nothing more is kept, but everything is counted.
    const DuplicateSerials::Report capped = DuplicateSerials::Find(options(), CatalogueIndex::Load(), {}, 2);
    ASSERT_EQ(capped.groups.size(), 1u);
    EXPECT_EQ(places(capped.groups[0].holders), (std::set<QString>{fs("I:c1:13"), fs("W:acc1:1")}));
    EXPECT_TRUE(capped.truncated);
    EXPECT_EQ(capped.serials, 2);
    EXPECT_EQ(capped.holders, 5);
}

TEST_F(ServerSearchTest, StopMidScanGivesPartialResultsOfTheRowsRead) {
    plant();
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    const ItemSearch::Result found =
        ItemSearch::Find(options(), catalogue, {}, [](Kind, int row) { return row < 1; });
    EXPECT_TRUE(found.partial);
    EXPECT_EQ(found.matched, 5); // c1's items only

    // The first pass stops after the first warehouse; the holders listed are
    // those of the rows that pass read.
    int secondPassRows = 0;
    const DuplicateSerials::Report dups =
        DuplicateSerials::Find(options(), catalogue, [&](int pass, Kind kind, int) {
            secondPassRows += pass == 2;
            return !(pass == 1 && kind == Kind::Warehouse);
        });
    EXPECT_TRUE(dups.partial);
    ASSERT_EQ(dups.groups.size(), 2u);
    EXPECT_EQ(dups.groups[0].serial, 0x101u);
    EXPECT_EQ(places(dups.groups[0].holders), (std::set<QString>{fs("I:c1:13"), fs("W:acc1:1")}));
    EXPECT_EQ(secondPassRows, 4); // three inventories and one warehouse

    const ServerCheck::Report check = ServerCheck::Run(options(), catalogue, [](Kind, int) { return false; });
    EXPECT_TRUE(check.partial);
    EXPECT_FALSE(check.clean());
}

TEST_F(ServerSearchTest, TheCheckReportsEveryPlantedFaultAndACleanServerIsClean) {
    plant();
    const ServerCheck::Report r = ServerCheck::Run(options(), CatalogueIndex::Load(), {});
    std::set<QString> findings;
    for (const ServerCheck::Finding& f : r.findings)
        findings.insert(ServerCheck::ProblemText(f.problem) + QLatin1Char(' ') +
                        placeOf(f.kind, f.account, f.second, f.cell));
    EXPECT_EQ(findings, (std::set<QString>{fs("Width mismatch W:acc2:0"), fs("Not whole records I:c3:0"),
                                           fs("Unknown record W:acc1:60"), fs("Overlap I:c1:15"),
                                           fs("Outside the grid I:c1:20")}));
    for (const ServerCheck::Finding& f : r.findings) {
        if (f.problem == ServerCheck::Problem::OtherWidth) {
            EXPECT_TRUE(f.detail.contains(fs("Version setting chooses 10-byte"))) << f.detail.toStdString();
        }
    }
    EXPECT_EQ(r.duplicatedSerials, 2);
    EXPECT_EQ(r.duplicateCopies, 3);
    const auto& inv = r.kinds[std::size_t(Kind::Inventory)];
    const auto& wh = r.kinds[std::size_t(Kind::Warehouse)];
    const auto& vault = r.kinds[std::size_t(Kind::Vault)];
    EXPECT_EQ(std::tuple(inv.rows, inv.items, inv.torn, inv.overlaps, inv.outside),
              std::tuple(3, qint64(6), 1, qint64(1), qint64(1)));
    EXPECT_EQ(std::tuple(wh.rows, wh.items, wh.otherWidth, wh.unknown),
              std::tuple(2, qint64(8), 1, qint64(1)));
    EXPECT_EQ(std::tuple(vault.rows, vault.items), std::tuple(1, qint64(1)));
    EXPECT_FALSE(r.clean());

    TestEnvironment::execRaw(file, fs("DELETE FROM Character WHERE Name <> 'c2'; DELETE FROM Warehouse; "
                                      "DELETE FROM ExtWarehouse;"));
    const ServerCheck::Report clean = ServerCheck::Run(options(), CatalogueIndex::Load(), {});
    EXPECT_TRUE(clean.clean());
    EXPECT_TRUE(clean.findings.empty());
}

TEST_F(ServerSearchTest, ErasingChosenItemsWritesOnlyColumnsUnchangedSinceTheScan) {
    plant();
    const DuplicateSerials::Report r = DuplicateSerials::Find(options(), CatalogueIndex::Load(), {});
    std::vector<Found> chosen;
    for (const DuplicateSerials::Group& g : r.groups)
        for (const Found& f : g.holders)
            if (placeOf(f) == fs("W:acc1:51") || placeOf(f) == fs("I:c1:13") || placeOf(f) == fs("V:acc1:5"))
                chosen.push_back(f);
    ASSERT_EQ(chosen.size(), 3u);
    const DuplicateSerials::Plan plan = DuplicateSerials::PlanOf(chosen);
    EXPECT_EQ(std::pair(plan.items, plan.rows), std::pair(3, 3));

    // c1 changes between the scan and the erasure; the vault row is gone.
    const QString c1 = Scalar(file, fs("SELECT hex(Inventory) FROM Character WHERE Name='c1'"));
    TestEnvironment::execRaw(file, fs("UPDATE Character SET Inventory = X'") + c1.left(2158) +
                                       fs("00' WHERE Name='c1'; DELETE FROM ExtWarehouse;"));
    const QString warehouse = Scalar(file, fs("SELECT hex(Items) FROM Warehouse WHERE AccountID='acc1'"));
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(fs("erase"));
    StatementJournal::Recorder journal;
    const DuplicateSerials::Erased erased = DuplicateSerials::Erase(options(), chosen, *undo);

    EXPECT_EQ(std::pair(erased.items, erased.rows), std::pair(1, 1));
    EXPECT_EQ(places(erased.skipped), (std::set<QString>{fs("I:c1:13"), fs("V:acc1:5")}));
    QString expected = warehouse;
    expected.replace(50 * 20, 20, QString(20, QLatin1Char('F'))); // cell 51 only; its twin stays
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Items) FROM Warehouse WHERE AccountID='acc1'")), expected);
    EXPECT_EQ(Scalar(file, fs("SELECT substr(hex(Inventory), 1, 2158) FROM Character WHERE Name='c1'")),
              c1.left(2158));
    const std::vector<Undo::Entry> entries = Undo::Read(undo->path()).entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].original, warehouse);
    int updates = 0;
    for (const JournalEntry& e : journal.entries())
        updates += e.text.startsWith(fs("UPDATE Warehouse SET Items=0x")) && e.error.isEmpty();
    EXPECT_EQ(updates, 1);
}

TEST_F(ServerSearchTest, WideRecordsAreReadWithTheirOwnKeysAndNarrowColumnsAreAMismatch) {
    WriteSettingInt(fs("Version"), fs("Version"), 1);
    const QByteArray jewel = Record(16, {{0, 0x0D}, {3, 0x0A}, {4, 0x0B}, {5, 0x0C}, {6, 0x0D}, {9, 0xE0}});
    const QByteArray wideStaff = Record(16, {{0, 0x03}, {3, 0xF9}, {6, 0x33}, {9, 0x50}});
    const QByteArray c1 = Column(16, 108, {{12, jewel}, {13, wideStaff}});
    const QByteArray c2 = Column(10, 108, {{12, kukri(0x1)}});
    AddCharacter(file, fs("c1"), fs("acc1"), &c1);
    AddCharacter(file, fs("c2"), fs("acc2"), &c2);
    AddWarehouse(file, fs("acc1"), Column(16, 120, {{0, jewel}}));
    const CatalogueIndex catalogue = CatalogueIndex::Load();

    const ItemSearch::Result all = ItemSearch::Find(options(), catalogue, {}, {});
    std::multiset<QString> names;
    for (const Found& f : all.items)
        names.insert(f.name + QLatin1Char(' ') + f.item.SerialText());
    EXPECT_EQ(names, (std::multiset<QString>{fs("Jewel of Dawn 0A0B0C0D"), fs("Jewel of Dawn 0A0B0C0D"),
                                             fs("Staff of O'Brien 000033")}));
    const DuplicateSerials::Report dups = DuplicateSerials::Find(options(), catalogue, {});
    ASSERT_EQ(dups.groups.size(), 1u);
    EXPECT_EQ(places(dups.groups[0].holders), (std::set<QString>{fs("I:c1:13"), fs("W:acc1:1")}));
    const ServerCheck::Report check = ServerCheck::Run(options(), catalogue, {});
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0].problem, ServerCheck::Problem::OtherWidth);
    EXPECT_EQ(check.findings[0].second, fs("c2"));
}

// The index read once must name every record exactly as the catalogue's own
// statement does, in both widths: random records over the keys the test
// catalogue holds, near misses included.
TEST_F(ServerSearchTest, TheIndexAndTheByteDecoderAgreeWithTheCatalogueAndTheRecordText) {
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    QRandomGenerator rng(7);
    const int ids[] = {0x01, 0x05, 0xCD, 0x10, 0xA3, 0x0D, 0x03, 0x77};
    const int thirds[] = {0x00, 0xF9, 0x01};
    for (const ItemRecord::Width w : {ItemRecord::Width::Narrow, ItemRecord::Width::Wide}) {
        for (int n = 0; n < 150; ++n) {
            QByteArray bytes(ItemRecord::Bytes(w), '\0');
            for (char& b : bytes)
                b = char(rng.bounded(256));
            bytes[0] = char(ids[rng.bounded(8)]);
            bytes[3] = char(thirds[rng.bounded(3)]);
            const QString record = BytesToHex(bytes);
            SCOPED_TRACE(record.toStdString());
            const CatalogueIndex::Entry* entry = catalogue.Of(bytes, w);
            EXPECT_EQ(entry ? entry->name : QString(), Catalogue::StoredRecord(record, w).name);
            const StoredItem item = StoredItem::Decode(bytes);
            const ItemRecord::Fields f = ItemRecord::Decode(record);
            EXPECT_EQ(std::tuple(item.level, item.skill, item.luck, item.optionStep, item.durability,
                                 item.excellentBits),
                      std::tuple(f.level, f.skill, f.luck, f.optionStep, f.durability, f.excellentBits));
            EXPECT_EQ(QString::number(item.ancient, 16).toUpper(), QString(f.ancient));
            EXPECT_EQ(item.SerialText(), ItemRecord::HasSerialMarker(record) ? f.serial.mid(2) : f.serial);
        }
    }
    struct Serial {
        const char* record;
        bool real;
    };
    for (const Serial s : {Serial{"01000000000000000000", false}, Serial{"010000FFFFFFFF000000", false},
                           Serial{"010000F9FFFFFF000000", false}, Serial{"010000F9000000000000", false},
                           Serial{"010000F9000001000000", true}, Serial{"010000FFFFFFFE000000", true},
                           Serial{"01000000FFFFFF000000", true}})
        EXPECT_EQ(StoredItem::Decode(HexToBytes(fs(s.record))).HasRealSerial(), s.real) << s.record;
}

} // namespace
