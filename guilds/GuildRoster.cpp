#include "guilds/GuildRoster.h"

#include <array>
#include <utility>

namespace GuildRoster {

namespace {
constexpr std::array<int, 4> kStatuses = {0, 32, 64, kMasterStatus};

constexpr std::array<std::pair<int, const char*>, 8> kClasses = {{
    {0, "Dark Wizard"},
    {1, "Soul Master"},
    {16, "Dark Knight"},
    {17, "Blade Knight"},
    {32, "Elf"},
    {33, "Muse Elf"},
    {48, "Magic Gladiator"},
    {64, "Dark Lord"},
}};
} // namespace

QStringList RankCaptions() {
    return {QStringLiteral("Guild Member"), QStringLiteral("Battle Master"),
            QStringLiteral("Assistant of Guild Master"), QStringLiteral("Guild Master")};
}

int RankItemOf(const QString& status) {
    bool ok = false;
    const int value = status.trimmed().toInt(&ok);
    for (size_t i = 0; ok && i < kStatuses.size(); ++i)
        if (kStatuses[i] == value)
            return int(i);
    return 0;
}

int StatusOfRankItem(int item) {
    return kStatuses[size_t(item)];
}

QString ClassName(const QString& code) {
    bool ok = false;
    const int value = code.trimmed().toInt(&ok);
    for (const auto& [number, name] : kClasses)
        if (ok && number == value)
            return QString::fromLatin1(name);
    return code;
}

} // namespace GuildRoster
