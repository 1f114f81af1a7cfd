#include "guilds/GuildRoster.h"

#include "accounts/CharacterCodes.h"

#include <array>

namespace GuildRoster {

namespace {
constexpr std::array<int, 4> kStatuses = {0, 32, 64, kMasterStatus};

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
    const auto& classes = CharacterCodes::Classes();
    const int index = ok ? CharacterCodes::IndexOfCode(classes, value) : -1;
    return index >= 0 ? classes[size_t(index)].caption : code;
}

QString UnionRefusal(const QString& guild, int unionNumber, const QStringList& listed,
                     const QString& picked) {
    if (listed.contains(picked, Qt::CaseInsensitive))
        return QStringLiteral("%1 is already in the union").arg(picked);
    // A new union holds the edited guild and the picked one: two guilds.
    if (unionNumber == 0 && picked.compare(guild, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Choose another guild to make a union with %1").arg(guild);
    return {};
}

} // namespace GuildRoster
