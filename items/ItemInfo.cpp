#include "items/ItemInfo.h"

#include <QStringList>

namespace ItemInfo {

namespace {

const QString kLineEnd = QStringLiteral("\n\r");

// Excellent lines by kind, bit 0 first; an empty text is no line.
const char* const kWeaponLines[6] = {
    "Increase Adquisition rate of Mana after Hunting monsters +Mana/8",
    "Increase Adquisition rate of Life after hunting monsters +Life/8",
    "Increase Attacking(wizandry) speed +5",
    "Increase Damage +2%",
    "Increase Damage +Level/20",
    "Excellent Damage Rate +10%",
};
const char* const kWingLines[6] = {
    "Increase Hp",
    "Increase Mana",
    "Ignore oponent defensive power by 3%",
    "Max AG Increase",
    "Increase Attacking(wizandry) speed +5",
    "",
};
const char* const kArmourLines[6] = {
    "Increase Adquisition Rate of Zen after Hunting monsters +40%",
    "Defense Success Rate +10%",
    "Reflect Damage +5%",
    "Damage Decrease +4%",
    "Increase Max Mana +4%",
    "Increase Max HP +4%",
};

bool nameIsOneOf(const QString& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

} // namespace

QString ExcellentLines(const QString& excKind, int excellentBits) {
    const char* const* lines = nullptr;
    if (excKind == QLatin1String("we"))
        lines = kWeaponLines;
    else if (excKind == QLatin1String("wi"))
        lines = kWingLines;
    else if (excKind == QLatin1String("ar"))
        lines = kArmourLines;
    QString text;
    for (int bit = 0; lines && bit < 6; ++bit) {
        if ((excellentBits & (1 << bit)) && *lines[bit])
            text += QLatin1String(lines[bit]) + kLineEnd;
    }
    return text.isEmpty() ? QStringLiteral("(No Excellent)") : text;
}

QString OptionText(const QString& name, const ItemRecord::Fields& fields) {
    // The value of every step, +16 bit included (steps 4–7 are 16 to 28).
    const int value = 4 * fields.optionStep;
    if (fields.uniqueBit) {
        if (nameIsOneOf(name, {"Fairy Wings", "Arch Angel Wing", "Devil Wings"}) ||
            name.contains(QLatin1String("Pendant")) || name.contains(QLatin1String("Ring")))
            return QStringLiteral("Automatic HP recovery +%1%").arg(value / 4);
        if (nameIsOneOf(name, {"Angel Wings", "Dark Wings"}))
            return QStringLiteral("Additional wizardry dmg +%1").arg(value);
        if (nameIsOneOf(name, {"Satan Wings", "Butterfly Wings"}))
            return QStringLiteral("Additional dmg +%1").arg(value);
        return QStringLiteral(" +%1").arg(value);
    }
    if (name.contains(QLatin1String("Shield")))
        return QStringLiteral(" +%1").arg(value / 4 * 5);
    return QStringLiteral(" +%1").arg(value);
}

QString AncientName(QChar nibble, Wording wording) {
    const bool warehouse = wording == Wording::Warehouse;
    switch (nibble.unicode()) {
    case '0':
        return QStringLiteral("(No Ancient)");
    case '5':
        return warehouse ? QStringLiteral("+ 5 Stamina") : QStringLiteral("+5 Stamina");
    case '6':
        return warehouse ? QStringLiteral("+ 5 Stamina (No opt)") : QStringLiteral("+5 Stamina (No Opt)");
    case '9':
        return warehouse ? QStringLiteral("+ 10 Stamina") : QStringLiteral("+10 Stamina");
    case 'A':
        return warehouse ? QStringLiteral("+ 10 Stamina (No opt)") : QStringLiteral("+10 Stamina (No Opt)");
    default:
        return nibble.isNull() ? QString() : QString(nibble);
    }
}

QString Text(const QString& record, ItemRecord::Width w, const CatalogueRow& row, Wording wording) {
    QString name, level, durability, serial, option, skill, luck, excellent, ancient;
    if (!ItemRecord::IsEmpty(record, w)) {
        bool decode = true;
        name = row.name;
        if (!row.found) {
            if (wording == Wording::Warehouse)
                name = QStringLiteral("Blanck Slot");
            else if (w == ItemRecord::Width::Wide)
                name = QStringLiteral("Blanck");
            else {
                name = QStringLiteral("miss");
                decode = false;
            }
        }
        const ItemRecord::Fields f = ItemRecord::Decode(record);
        serial = f.serial;
        ancient = AncientName(f.ancient, wording);
        if (decode) {
            level = QStringLiteral("+") + QString::number(f.level);
            durability = QStringLiteral("Durability: ") + QString::number(f.durability);
            skill = f.skill ? QStringLiteral(" +Skill") : QStringLiteral("(No Skill)");
            luck = f.luck ? QStringLiteral(" +Luck") : QStringLiteral("(No Luck)");
            option = OptionText(name, f);
            excellent = ExcellentLines(row.found ? row.excKind : QString(), f.excellentBits);
        }
    }
    const QStringList lines = {
        QStringLiteral("Name: ") + name + QLatin1Char(' '),
        QStringLiteral("Level: ") + level,
        durability,
        QStringLiteral("Serial: ") + serial,
        QStringLiteral("Option: ") + option,
        QStringLiteral("Skill: ") + skill,
        QStringLiteral("Luck: ") + luck,
        QStringLiteral("Excellent Option:"),
        excellent,
        QStringLiteral("Ancient: ") + ancient,
        QStringLiteral("Hex: ") + record,
    };
    return lines.join(kLineEnd);
}

} // namespace ItemInfo
