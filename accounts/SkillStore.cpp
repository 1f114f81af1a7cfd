#include "accounts/SkillStore.h"

#include "accounts/MagicList.h"
#include "accounts/SkillStatements.h"
#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"

namespace SkillStore {

Opened Open(const QString& character) {
    QString hex;
    {
        Query stored = OpenOn(DataSource::TanorOnline, SkillStatements::ReadSkills(character));
        // A missing row or a NULL column reads as a list of empty records.
        if (!stored.IsEmpty())
            hex = BytesToHex(stored.Fields(0).AsBytes());
    }
    Opened opened;
    opened.classes = Catalogue::SkillClasses();
    for (const QString& number : MagicList::SkillNumbers(hex)) {
        const QString name = Catalogue::SkillName(number);
        if (!name.isEmpty())
            opened.skills << name;
    }
    return opened;
}

Saved Save(const QString& character, const QStringList& skills) {
    Saved result;
    QStringList numbers;
    for (const QString& name : skills) {
        const QString number = Catalogue::SkillNumber(name);
        if (MagicList::IsSkillNumber(number)) {
            numbers << number;
        } else {
            numbers << QString::fromLatin1(MagicList::kEmpty);
            result.vanished << name;
        }
    }
    result.saved = ExecOn(DataSource::TanorOnline, SkillStatements::WriteSkills(character, numbers)) != 0;
    return result;
}

} // namespace SkillStore
