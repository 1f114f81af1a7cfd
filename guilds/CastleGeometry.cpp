#include "guilds/CastleGeometry.h"

#include "core/ColumnNumber.h"
#include "core/UtilitiesUnit.h"

#include <algorithm>

namespace CastleGeometry {

namespace {

// Regions are given by their inclusive bounds.
constexpr QRect Region(int left, int right, int top, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

constexpr std::array<NpcPlace, kGates> kGatePlaces = {{
    {1, Region(84, 114, 46, 76), {85, 55}, {85, 46}, 93, 204},
    {2, Region(62, 106, 92, 136), {62, 115}, {61, 106}, 81, 161},
    {3, Region(108, 138, 106, 136), {108, 115}, {106, 106}, 107, 161},
    {4, Region(42, 72, 172, 202), {42, 180}, {42, 171}, 67, 114},
    {5, Region(84, 114, 172, 202), {85, 180}, {85, 171}, 93, 114},
    {6, Region(128, 158, 172, 202), {127, 180}, {127, 171}, 119, 114},
}};

constexpr std::array<NpcPlace, kStatues> kStatuePlaces = {{
    {1, Region(84, 115, 28, 58), {85, 36}, {85, 22}, 94, 227},
    {2, Region(84, 114, 84, 114), {85, 92}, {85, 77}, 94, 182},
    {3, Region(62, 92, 140, 170), {62, 148}, {58, 132}, 82, 130},
    {4, Region(108, 138, 140, 170), {107, 148}, {106, 132}, 107, 130},
}};

constexpr LifeLevels kGateDefaults = {500000, 800000, 1500000, 3000000};
constexpr LifeLevels kStatueDefaults = {400000, 750000, 1300000, 2500000};

QString Key(char kind, int level) {
    return QLatin1Char(kind) + QStringLiteral("Life") + QString::number(level);
}

} // namespace

std::span<const NpcPlace> Places(NpcKind kind) {
    if (kind == NpcKind::Gate)
        return kGatePlaces;
    return kStatuePlaces;
}

std::optional<int> PlaceAt(NpcKind kind, QPoint point) {
    const auto places = Places(kind);
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].region.contains(point))
            return int(i);
    return std::nullopt;
}

QPoint DefenceBarAt(const NpcPlace& place) {
    return place.lifeBar + QPoint(0, 5);
}

QPoint RegenerationBarAt(const NpcPlace& place) {
    return place.lifeBar + QPoint(0, 10);
}

CastleLevels LoadLevels() {
    const QString section = QStringLiteral("CastleSiege");
    if (ReadSettingInt(section, QStringLiteral("Setup")) != 1) {
        for (int i = 0; i < kLifeLevels; ++i) {
            WriteSettingInt(section, Key('G', i + 1), kGateDefaults[size_t(i)]);
            WriteSettingInt(section, Key('S', i + 1), kStatueDefaults[size_t(i)]);
        }
        WriteSettingInt(section, QStringLiteral("Setup"), 1);
    }
    CastleLevels levels{};
    for (int i = 0; i < kLifeLevels; ++i) {
        levels.gates[size_t(i)] = ReadSettingInt(section, Key('G', i + 1));
        levels.statues[size_t(i)] = ReadSettingInt(section, Key('S', i + 1));
    }
    return levels;
}

std::optional<int> LifeLevelOf(qint64 maxLife, const LifeLevels& levels) {
    for (int i = 0; i < kLifeLevels; ++i)
        if (levels[size_t(i)] == maxLife)
            return i + 1;
    return std::nullopt;
}

std::optional<int> NextLife(qint64 maxLife, const LifeLevels& levels) {
    const auto level = LifeLevelOf(maxLife, levels);
    if (!level || *level == kLifeLevels)
        return std::nullopt;
    return levels[size_t(*level)];
}

LifeCheck CheckTypedLife(const QString& text, qint64 maxLife) {
    if (text.trimmed().isEmpty())
        return {};
    // NPC_HP is an int column; a life is never negative.
    const auto life = ColumnNumber::ParseWhole(text, 0, ColumnNumber::MaxOf(ColumnNumber::SqlType::Int));
    if (!life)
        return {TypedLife::NotWhole, 0};
    if (*life > maxLife)
        return {TypedLife::AboveMax, 0};
    return {TypedLife::Accepted, *life};
}

int LifeBarWidth(qint64 maxLife, const LifeLevels& levels) {
    if (const auto level = LifeLevelOf(maxLife, levels))
        return 8 * *level;
    const auto reached =
        std::count_if(levels.begin(), levels.end(), [maxLife](int l) { return l <= maxLife; });
    return 8 * std::max<int>(1, int(reached));
}

int FillWidth(qint64 value, qint64 range, int width) {
    if (range <= 0)
        return 0;
    return int(std::clamp<qint64>(value, 0, range) * width / range);
}

int LevelFillWidth(int level) {
    return std::clamp(level + 1, 0, kLevelItems) * kBarLength / kLevelItems;
}

} // namespace CastleGeometry
