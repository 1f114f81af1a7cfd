#include "reports/RankingTable.h"

#include <map>

namespace RankingTable {

QStringList Captions(ReportStatements::RankingGroup group) {
    using G = ReportStatements::RankingGroup;
    switch (group) {
    case G::DevilSquare:
        return {QStringLiteral("Account"),
                QStringLiteral("Square"),
                QStringLiteral("Position"),
                QStringLiteral("Points"),
                {},
                {},
                {},
                {},
                {}};
    case G::Guild:
        return {QStringLiteral("G. Master"),
                QStringLiteral("G. Score"),
                QStringLiteral("G. Members"),
                {},
                {},
                {},
                {},
                {},
                {}};
    case G::Character:
    default:
        return {QStringLiteral("Account"),  QStringLiteral("Level"),   QStringLiteral("Class"),
                QStringLiteral("Strength"), QStringLiteral("Agility"), QStringLiteral("Vitality"),
                QStringLiteral("Energy"),   QStringLiteral("Command"), QStringLiteral("Reset")};
    }
}

QString ClassName(int code) {
    static const std::map<int, QString> names = {
        {0, QStringLiteral("Dark Wizard")},
        {1, QStringLiteral("Soul Master")},
        {16, QStringLiteral("Dark Knight")},
        {17, QStringLiteral("Blade Knight")},
        {32, QStringLiteral("Elf")},
        {33, QStringLiteral("Muse Elf")},
        {48, QStringLiteral("Magic Gladiator")},
        {64, QStringLiteral("Dark Lord")},
    };
    const auto it = names.find(code);
    return it == names.end() ? QString::number(code) : it->second;
}

} // namespace RankingTable
