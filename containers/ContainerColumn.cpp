#include "containers/ContainerColumn.h"

#include "app/UtilitiesUnit.h"

namespace ContainerColumn {

int RecordBytesFromSettings() {
    return RecordBytes(ReadSettingInt(QStringLiteral("Version"), QStringLiteral("Version")));
}

QString EmptyRecord(int recordBytes) {
    return QString(2 * recordBytes, QLatin1Char('F'));
}

QStringView RecordText(QStringView columnText, qsizetype index, int recordBytes) {
    const qsizetype length = 2 * qsizetype(recordBytes);
    const qsizetype start = index * length;
    if (index < 0 || start >= columnText.size())
        return {};
    return columnText.mid(start, length);
}

QString ColumnLiteral(QStringView columnText) {
    QString literal;
    literal.reserve(2 + columnText.size());
    literal.append(QLatin1String("0x")).append(columnText);
    return literal;
}

QString EmptyColumnLiteral(int recordBytes, int records) {
    return QLatin1String("0x") + EmptyRecord(recordBytes).repeated(records);
}

} // namespace ContainerColumn
