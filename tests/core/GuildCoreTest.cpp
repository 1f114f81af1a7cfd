#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "guilds/CastleGeometry.h"
#include "guilds/GuildMark.h"
#include "guilds/GuildRoster.h"

#include <QByteArray>

namespace {

using CastleGeometry::NpcKind;

// ---------------------------------------------------------------- mark

TEST(GuildMarkTest, BytesCarryTheOddCellInTheHighNibble) {
    const GuildMark::Cells cells = GuildMark::FromBytes(QByteArray::fromHex("4F01"));
    EXPECT_EQ(cells[0], 4);  // red
    EXPECT_EQ(cells[1], 15); // rose
    EXPECT_EQ(cells[2], 0);
    EXPECT_EQ(cells[3], 1);
    EXPECT_EQ(GuildMark::ToText(cells).left(4), QStringLiteral("4F01"));

    const QString stored = QStringLiteral("0022220002333320023443200234432002333320002332000002200000000ABF");
    EXPECT_EQ(GuildMark::ToText(GuildMark::FromBytes(HexToBytes(stored))), stored);
    EXPECT_EQ(GuildMark::ToLiteral(GuildMark::FromBytes(HexToBytes(stored))), QStringLiteral("0x") + stored);
}

TEST(GuildMarkTest, MissingCellsAreColourZeroAndExtraBytesIgnored) {
    const QString zeros(64, QLatin1Char('0'));
    EXPECT_EQ(GuildMark::ToText(GuildMark::FromBytes(QByteArray())), zeros);
    EXPECT_EQ(GuildMark::ToText(GuildMark::FromBytes(QByteArray::fromHex("4F01AB"))),
              QStringLiteral("4F01AB") + zeros.mid(6));
    EXPECT_EQ(GuildMark::ToText(GuildMark::FromBytes(QByteArray::fromHex("12"))),
              QStringLiteral("12") + zeros.mid(2));
    // Bytes past the 32nd differ from the mark's own, so reading them shows:
    // the result is the first 32 bytes, and nothing is written past the mark.
    const QByteArray longer = QByteArray(32, '\x12') + QByteArray(8, '\x77');
    GuildMark::Cells cells{};
    EXPECT_NO_THROW(cells = GuildMark::FromBytes(longer));
    EXPECT_EQ(GuildMark::ToText(cells), QStringLiteral("12").repeated(32));
}

TEST(GuildMarkTest, CellsAreNumberedRowByRow) {
    struct Case {
        int k, row, column;
    };
    for (const Case c : {Case{1, 0, 0}, Case{8, 0, 7}, Case{9, 1, 0}, Case{10, 1, 1}, Case{64, 7, 7}}) {
        EXPECT_EQ(GuildMark::RowOf(c.k), c.row) << c.k;
        EXPECT_EQ(GuildMark::ColumnOf(c.k), c.column) << c.k;
    }
}

TEST(GuildMarkTest, PaletteColoursAndSwatchesFollowTheTable) {
    const quint32 table[16] = {0x000000, 0x000000, 0x8B8B8B, 0xFFFFFF, 0xFF0000, 0xFF8040,
                               0xFFFF00, 0x88FD00, 0x00FF01, 0x01FF8B, 0x00FFFF, 0x0189FF,
                               0x0000FE, 0x8C00FF, 0xFF00FE, 0xFE0089};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(GuildMark::PaletteColour(i), table[i]) << i;
        // Every pixel of a swatch picks its index: corners and centre.
        const int x = (i % 8) * 20;
        const int y = (i / 8) * 20;
        for (const auto& [dx, dy] :
             {std::pair{0, 0}, std::pair{19, 0}, std::pair{0, 19}, std::pair{19, 19}, std::pair{10, 10}})
            EXPECT_EQ(GuildMark::PaletteIndexAt(x + dx, y + dy), i) << i << " at " << x + dx << "," << y + dy;
    }
    EXPECT_EQ(GuildMark::PaletteIndexAt(25, 30), 9);
    // The far edges (x = 160, y = 40: reachable under fractional scaling)
    // belong to the last swatch of the row and the lower row.
    struct Edge {
        int x, y, index;
    };
    for (const Edge e :
         {Edge{160, 0, 7}, Edge{160, 39, 15}, Edge{160, 40, 15}, Edge{0, 40, 8}, Edge{159, 19, 7}})
        EXPECT_EQ(GuildMark::PaletteIndexAt(e.x, e.y), e.index) << e.x << "," << e.y;
    EXPECT_NE(GuildMark::NoColourPattern(), GuildMark::PaletteColour(0));
}

// ---------------------------------------------------------------- ranks and classes

TEST(GuildRosterTest, RanksAndClasses) {
    struct Rank {
        const char* status;
        int item;
    };
    for (const Rank r :
         {Rank{"0", 0}, Rank{"", 0}, Rank{"32", 1}, Rank{"64", 2}, Rank{"128", 3}, Rank{"7", 0}})
        EXPECT_EQ(GuildRoster::RankItemOf(QString::fromLatin1(r.status)), r.item) << r.status;
    for (int item = 0; item < 4; ++item)
        EXPECT_EQ(GuildRoster::RankItemOf(QString::number(GuildRoster::StatusOfRankItem(item))), item);
    EXPECT_EQ(GuildRoster::RankCaptions().at(GuildRoster::kMasterItem), QStringLiteral("Guild Master"));

    EXPECT_EQ(GuildRoster::ClassName(QStringLiteral("0")), QStringLiteral("Dark Wizard"));
    EXPECT_EQ(GuildRoster::ClassName(QStringLiteral("17")), QStringLiteral("Blade Knight"));
    EXPECT_EQ(GuildRoster::ClassName(QStringLiteral("64")), QStringLiteral("Dark Lord"));
    EXPECT_EQ(GuildRoster::ClassName(QStringLiteral("80")), QStringLiteral("80"));
}

TEST(GuildRosterTest, AGuildJoinsAUnionOnce) {
    const QStringList listed{QStringLiteral("Ironveil"), QStringLiteral("Lanterns")};
    struct Case {
        int unionNumber;
        QStringList listed;
        const char* picked;
        const char* refusal; // empty: it may join
    };
    for (const Case& c :
         {Case{1, listed, "Tidecall", ""}, Case{1, listed, "Lanterns", "Lanterns is already in the union"},
          Case{1, listed, "IRONVEIL", "IRONVEIL is already in the union"},
          Case{1, {QStringLiteral("Lanterns")}, "Ironveil", ""},
          Case{0, {}, "Ironveil", "Choose another guild to make a union with Ironveil"},
          Case{0, {}, "Lanterns", ""}})
        EXPECT_EQ(GuildRoster::UnionRefusal(QStringLiteral("Ironveil"), c.unionNumber, c.listed,
                                            QString::fromLatin1(c.picked)),
                  QString::fromLatin1(c.refusal))
            << c.picked;
}

// ---------------------------------------------------------------- castle

TEST(CastleGeometryTest, EveryRegionIsHitInsideAndMissedJustOutside) {
    for (const NpcKind kind : {NpcKind::Gate, NpcKind::Statue}) {
        const auto places = CastleGeometry::Places(kind);
        ASSERT_EQ(places.size(), kind == NpcKind::Gate ? 6u : 4u);
        for (size_t i = 0; i < places.size(); ++i) {
            const QRect r = places[i].region;
            for (const QPoint p : {r.topLeft(), r.bottomRight(), r.center()})
                EXPECT_EQ(CastleGeometry::PlaceAt(kind, p), int(i)) << "place " << i + 1;
            for (const QPoint p : {r.topLeft() - QPoint(1, 0), r.bottomRight() + QPoint(0, 1)}) {
                const auto hit = CastleGeometry::PlaceAt(kind, p);
                EXPECT_TRUE(!hit || *hit != int(i)) << "place " << i + 1;
            }
        }
    }
    EXPECT_EQ(CastleGeometry::PlaceAt(NpcKind::Gate, QPoint(100, 190)), 4); // gate 5
    EXPECT_EQ(CastleGeometry::Places(NpcKind::Gate)[4].x, 93);
    EXPECT_EQ(CastleGeometry::Places(NpcKind::Gate)[4].y, 114);
    EXPECT_FALSE(CastleGeometry::PlaceAt(NpcKind::Gate, QPoint(120, 150)));  // between regions
    EXPECT_FALSE(CastleGeometry::PlaceAt(NpcKind::Statue, QPoint(100, 70))); // between statues 1 and 2
    EXPECT_EQ(CastleGeometry::PlaceAt(NpcKind::Gate, QPoint(85, 47)), 0);
    EXPECT_EQ(CastleGeometry::PlaceAt(NpcKind::Statue, QPoint(85, 29)), 0);
}

TEST(CastleGeometryTest, BarsStandBelowOneAnotherAndFillByLevel) {
    const auto& statue = CastleGeometry::Places(NpcKind::Statue)[2];
    EXPECT_EQ(CastleGeometry::DefenceBarAt(statue), QPoint(58, 137));
    EXPECT_EQ(CastleGeometry::RegenerationBarAt(statue), QPoint(58, 142));
    const int fills[] = {8, 16, 24, 32};
    for (int level = 0; level < 4; ++level)
        EXPECT_EQ(CastleGeometry::LevelFillWidth(level), fills[level]);
    EXPECT_EQ(CastleGeometry::FillWidth(612000, 800000, 16), 12);
    EXPECT_EQ(CastleGeometry::FillWidth(900000, 800000, 16), 16);
    EXPECT_EQ(CastleGeometry::FillWidth(5, 0, 16), 0);
}

TEST(CastleGeometryTest, LifeLevelsStepUpToTheFourth) {
    const CastleGeometry::LifeLevels gates = {500000, 800000, 1500000, 3000000};
    struct Case {
        qint64 max;
        int width;
        std::optional<int> next;
    };
    for (const Case c :
         {Case{500000, 8, 800000}, Case{800000, 16, 1500000}, Case{1500000, 24, 3000000},
          Case{3000000, 32, std::nullopt}, Case{1000000, 16, std::nullopt}, Case{100, 8, std::nullopt}}) {
        EXPECT_EQ(CastleGeometry::LifeBarWidth(c.max, gates), c.width) << c.max;
        EXPECT_EQ(CastleGeometry::NextLife(c.max, gates), c.next) << c.max;
    }
}

class CastleLevelsTest : public EnvTest {};

TEST_F(CastleLevelsTest, DefaultsAreWrittenUnlessSetupIsOne) {
    const QString section = QStringLiteral("CastleSiege");
    WriteSettingInt(section, QStringLiteral("GLife2"), 900000);
    auto levels = CastleGeometry::LoadLevels();
    EXPECT_EQ(levels.gates, (CastleGeometry::LifeLevels{500000, 800000, 1500000, 3000000}));
    EXPECT_EQ(levels.statues, (CastleGeometry::LifeLevels{400000, 750000, 1300000, 2500000}));
    EXPECT_EQ(ReadSettingInt(section, QStringLiteral("Setup")), 1);

    WriteSettingInt(section, QStringLiteral("SLife4"), 2600000); // kept once set up
    levels = CastleGeometry::LoadLevels();
    EXPECT_EQ(levels.statues[3], 2600000);
}

} // namespace
