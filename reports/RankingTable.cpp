#include "reports/RankingTable.h"

#include "core/QueryHelpers.h"
#include "core/ResetStatements.h"
#include "platform/TanorError.h"
#include "reports/ReportStatements.h"

#include <map>

namespace RankingTable {

namespace {

using G = ReportStatements::RankingGroup;

// Details of the character group, in caption order.
enum Value { Acc, Level, ClassType, Strength, Agility, Vitality, Energy, Charisma, REset, ValueCount };

DataSource SourceOf(G group) {
    return group == G::DevilSquare ? DataSource::Ranking : DataSource::TanorOnline;
}

// The first `columns` columns of the first row as text; empty texts when
// there is no row.
QStringList FirstRow(DataSource source, const QString& text, int columns) {
    Query q = OpenOn(source, text);
    QStringList values;
    for (int i = 0; i < columns; ++i)
        values << (q.Eof() ? QString() : q.Fields(i).AsString());
    return values;
}

QString ResetsOf(const QString& name) {
    const ResetSettings resets = ResetSettings::Read();
    if (resets.enabled == 0)
        return QStringLiteral("Not Avaible");
    const QString invalid = resets.InvalidName();
    if (!invalid.isEmpty())
        throw TanorError(QStringLiteral("The reset table and columns of the settings must be plain names; "
                                        "%1 of section %2 is not")
                             .arg(invalid, ResetSettings::kSection));
    return FirstRow(DataSource::TanorOnline, ResetStatements::ReadResets(resets, name), 1).front();
}

} // namespace

QStringList Captions(ReportStatements::RankingGroup group) {
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

QStringList Entries(ReportStatements::RankingGroup group) {
    return ListOn(SourceOf(group), ReportStatements::RankingTop(group));
}

QStringList Details(ReportStatements::RankingGroup group, const QString& name) {
    const QString text = ReportStatements::RankingDetails(group, name);
    QStringList values;
    switch (group) {
    case G::Character: {
        values = FirstRow(SourceOf(group), text, Charisma + 1);
        bool isCode = false;
        const int code = values[ClassType].toInt(&isCode);
        if (isCode)
            values[ClassType] = ClassName(code);
        values << ResetsOf(name);
        break;
    }
    case G::DevilSquare: {
        values = FirstRow(SourceOf(group), text, 4);
        // Squares are stored from 0; a missing row counts as square 0 too.
        values[Level] = QString::number(values[Level].toLongLong() + 1);
        break;
    }
    case G::Guild:
        values = FirstRow(SourceOf(group), text, 3);
        break;
    }
    while (values.size() < ValueCount)
        values << QString();
    return values;
}

Sheet SheetOf(ReportStatements::RankingGroup group, const QStringList& entries) {
    const QStringList captions = Captions(group);
    Sheet sheet;
    sheet.header << QStringLiteral("Name");
    for (const QString& caption : captions) {
        if (!caption.isEmpty())
            sheet.header << caption;
    }
    for (const QString& name : entries) {
        QStringList row{name};
        const QStringList values = Details(group, name);
        for (int i = 0; i < captions.size(); ++i) {
            if (!captions[i].isEmpty())
                row << values[i];
        }
        sheet.rows << row;
    }
    return sheet;
}

} // namespace RankingTable
