#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <span>

// Where the castle's gates and statues stand: their click regions and the
// spots of the marker and the bars on the 200 x 208 castle picture, their
// fixed positions in the game, and the life levels they can be raised to.
namespace CastleGeometry {

enum class NpcKind { Gate, Statue };

inline constexpr int kGateNumber = 277;
inline constexpr int kStatueNumber = 283;
inline constexpr int kGates = 6;
inline constexpr int kStatues = 4;
inline constexpr QSize kPictureSize{200, 208};
inline constexpr int kBarLength = 32;
inline constexpr int kBarHeight = 3;
inline constexpr int kLifeLevels = 4;
inline constexpr int kLevelItems = 4; // defence and regeneration levels 0..3

struct NpcPlace {
    int number = 0; // NPC_INDEX, 1-based
    QRect region;   // inclusive click region
    QPoint marker;  // top-left of the marker
    QPoint lifeBar; // top-left of the life bar
    int x = 0;      // NPC_X
    int y = 0;      // NPC_Y
};

[[nodiscard]] std::span<const NpcPlace> Places(NpcKind kind);
// The index (from 0) of the place whose region holds `point`; none between
// regions.
[[nodiscard]] std::optional<int> PlaceAt(NpcKind kind, QPoint point);
[[nodiscard]] QPoint DefenceBarAt(const NpcPlace& place);
[[nodiscard]] QPoint RegenerationBarAt(const NpcPlace& place);

// The maximum life of life levels 1..4.
using LifeLevels = std::array<int, kLifeLevels>;

// The levels of the settings section CastleSiege; when Setup is not 1 the
// defaults are written first and Setup set to 1.
struct CastleLevels {
    LifeLevels gates;
    LifeLevels statues;
    [[nodiscard]] const LifeLevels& of(NpcKind kind) const { return kind == NpcKind::Gate ? gates : statues; }
};
[[nodiscard]] CastleLevels LoadLevels();

// 1..4 when the maximum is one of the levels (first match), else none.
[[nodiscard]] std::optional<int> LifeLevelOf(qint64 maxLife, const LifeLevels& levels);
// The maximum life after "update life", none at level 4 or off the levels.
[[nodiscard]] std::optional<int> NextLife(qint64 maxLife, const LifeLevels& levels);
// Width of the life bar: 8 pixels per level. A maximum off the levels is
// drawn as wide as the levels it reaches (at least one).
[[nodiscard]] int LifeBarWidth(qint64 maxLife, const LifeLevels& levels);
// What a life typed into "Life:" amounts to. Nothing is written for a
// refused value: the field goes back to the last life written.
enum class TypedLife { Empty, NotWhole, AboveMax, Accepted };
struct LifeCheck {
    TypedLife verdict = TypedLife::Empty;
    qint64 life = 0; // the life to write when accepted
};
[[nodiscard]] LifeCheck CheckTypedLife(const QString& text, qint64 maxLife);
// Filled pixels of a bar `width` wide showing value of range (clamped).
[[nodiscard]] int FillWidth(qint64 value, qint64 range, int width);
// Filled pixels of a defence or regeneration bar at level 0..3.
[[nodiscard]] int LevelFillWidth(int level);

} // namespace CastleGeometry
