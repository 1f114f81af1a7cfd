#include "accounts/SkillStatements.h"

#include "accounts/MagicList.h"
#include "core/UtilitiesUnit.h"

namespace SkillStatements {

QString ReadSkills(const QString& character) {
    return QStringLiteral("SELECT MagicList FROM \"Character\" WHERE \"Name\" =") + Q(character);
}

QStringList WriteSkills(const QString& character, const QStringList& numbers) {
    return {QStringLiteral("UPDATE CHARACTER"),
            QStringLiteral("SET MagicList =") + MagicList::Literal(numbers),
            QStringLiteral("WHERE \"Name\" =") + Q(character)};
}

} // namespace SkillStatements
