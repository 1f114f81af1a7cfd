#include "items/ItemRecord.h"

#include "core/UtilitiesUnit.h"
#include "platform/TanorError.h"

namespace ItemRecord {

namespace {

// Characters from..from+count-1 (counted from 1); shorter at the end.
QString chars(const QString& record, int from, int count) {
    return record.mid(from - 1, count);
}

QChar charAt(const QString& record, int position) {
    return position <= record.size() ? record.at(position - 1) : QChar();
}

int hexOf(const QString& record, int from, int count) {
    return HexToInt(chars(record, from, count));
}

QString hex(qint64 value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// The record with characters from.. replaced by text. A record never changes
// length: a text that would reach past its end is refused.
QString rewrite(const QString& record, int from, const QString& text) {
    if (from - 1 + text.size() > record.size())
        throw ConvertError(QStringLiteral("The item record \"%1\" is too short to be changed").arg(record));
    QString out = record;
    out.replace(from - 1, text.size(), text);
    return out;
}

bool isHexDigits(const QString& text) {
    for (const QChar c : text) {
        const ushort u = c.toUpper().unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}

} // namespace

Width CurrentWidth() {
    return WidthForVersion(ReadSettingInt(SettingsName::kVersion, SettingsName::kVersion));
}

QString EmptyRecord(Width w) {
    return QString(Length(w), QLatin1Char('F'));
}
QString ZeroRecord(Width w) {
    return QString(Length(w), QLatin1Char('0'));
}
bool IsEmpty(const QString& record, Width w) {
    return record == EmptyRecord(w);
}

QStringView RecordAt(QStringView columnText, qsizetype k, Width w) {
    const qsizetype length = Length(w);
    const qsizetype start = (k - 1) * length;
    if (k < 1 || start >= columnText.size())
        return {};
    return columnText.mid(start, length);
}

QStringList SplitColumn(const QString& columnText, int count, Width w) {
    QStringList records;
    records.reserve(count);
    for (int k = 1; k <= count; ++k)
        records.append(RecordAt(columnText, k, w).toString());
    return records;
}

QString ColumnLiteral(const QStringList& records, Width w) {
    const QString empty = EmptyRecord(w);
    QString literal = QStringLiteral("0x");
    literal.reserve(2 + records.size() * Length(w));
    // A piece that is not a whole record (a short column) cannot be an item;
    // written as it is it would shift every later record.
    for (const QString& record : records)
        literal += record.size() == empty.size() ? record : empty;
    return literal;
}

QString LiteralOf(QStringView columnText) {
    QString literal;
    literal.reserve(2 + columnText.size());
    literal.append(QLatin1String("0x")).append(columnText);
    return literal;
}

QString EmptyColumnLiteral(int count, Width w) {
    return QLatin1String("0x") + EmptyRecord(w).repeated(count);
}

QString UniqueKey(const QString& record) {
    const QChar c = charAt(record, 15);
    return c >= QLatin1Char('0') && c <= QLatin1Char('7') ? QStringLiteral("0") : QStringLiteral("8");
}

QString Unique2Key(const QString& record) {
    return QString::number(HexToInt(chars(record, 19, 1)));
}

Identity IdentityOf(const QString& record, Width w) {
    Identity id;
    id.id = chars(record, 1, 2);
    id.code32 = chars(record, 7, 2);
    id.unique = w == Width::Narrow ? UniqueKey(record) : Unique2Key(record);
    return id;
}

bool IsExcellent(const QString& record, Width w) {
    const QString byte7 = chars(record, 15, 2);
    if (w == Width::Wide)
        return byte7 != QLatin1String("00") && byte7 != QLatin1String("40");
    return byte7 != QLatin1String("00") && byte7 != QLatin1String("40") && byte7 != QLatin1String("80") &&
           byte7 != QLatin1String("C0");
}

bool IsSetItem(const QString& record) {
    const QChar c = charAt(record, 18);
    return c == QLatin1Char('5') || c == QLatin1Char('6') || c == QLatin1Char('9') || c == QLatin1Char('A');
}

Fields Decode(const QString& record) {
    Fields f;
    const int option = hexOf(record, 3, 2);
    const int excellent = hexOf(record, 15, 2);
    f.skill = (option & 0x80) != 0;
    f.level = (option >> 3) & 0x0F;
    f.luck = (option & 0x04) != 0;
    f.plus16 = (excellent & 0x40) != 0;
    f.optionStep = (option & 0x03) + (f.plus16 ? 4 : 0);
    f.durability = hexOf(record, 5, 2);
    f.serial = chars(record, 7, 8);
    f.excellentBits = excellent & 0x3F;
    f.uniqueBit = (excellent & 0x80) != 0;
    f.ancient = charAt(record, 18);
    return f;
}

QString WithItemByte(const QString& record, const QString& id) {
    return rewrite(record, 1, id);
}

QString WithCode32(const QString& record, const QString& code32) {
    return rewrite(record, 7, code32);
}

QString WithDurability(const QString& record, int durability) {
    if (durability < 0 || durability > 255)
        throw ConvertError(QStringLiteral("Values must be between 0 and 255"));
    return rewrite(record, 5, hex(durability, 2));
}

QString WithOptionByte(const QString& record, bool skill, int level, bool luck, int optionStep) {
    const int value = 128 * int(skill) + 8 * (level & 0x0F) + 4 * int(luck) + (optionStep & 0x03);
    return rewrite(record, 3, hex(value, 2));
}

QString WithTypeNibble(const QString& record, int unique2) {
    return rewrite(record, 19, hex(unique2 & 0x0F, 1));
}

QString WithExcellentByte(const QString& record, int unique, int optionStep, int excellentSum) {
    const int value = 16 * unique + (optionStep >= 4 ? 64 : 0) + excellentSum;
    return rewrite(record, 15, hex(value & 0xFF, 2));
}

QChar AncientNibble(int setOptionIndex) {
    static const char nibbles[] = {'0', '6', '5', 'A', '9'};
    if (setOptionIndex < 0 || setOptionIndex > 4)
        return QLatin1Char('0');
    return QLatin1Char(nibbles[setOptionIndex]);
}

QString WithAncient(const QString& record, int setOptionIndex) {
    return rewrite(record, 18, QString(AncientNibble(setOptionIndex)));
}

bool HasSerialMarker(const QString& record) {
    return chars(record, 7, 2) == QLatin1String("F9");
}

QString DrawnSerialText(qint64 counter, bool marker) {
    const qint64 limit = marker ? 0xFFFFFF : 0xFFFFFFFFLL;
    if (counter < 0 || counter > limit)
        throw ConvertError(
            QStringLiteral("The serial %1 drawn from the server does not fit in %2 hexadecimal digits; "
                           "the item keeps its serial")
                .arg(counter)
                .arg(marker ? 6 : 8));
    const QString text = hex(counter, marker ? 6 : 8);
    if (!marker && text.startsWith(QLatin1String("F9")))
        throw ConvertError(
            QStringLiteral("The serial %1 drawn from the server would begin with F9, the marker "
                           "of another item kind; the item keeps its serial")
                .arg(text));
    return text;
}

QString TypedSerialDigits(const QString& typed, bool marker) {
    const QString text = typed.toUpper();
    if (!marker && text.size() == 8 && text.startsWith(QLatin1String("F9")))
        throw ConvertError(
            QStringLiteral("The serial \"%1\" begins with F9, the marker of another item kind; "
                           "this item's serial cannot begin with F9")
                .arg(typed));
    if (isHexDigits(text)) {
        if (text.size() == 8)
            return marker ? text.mid(2) : text;
        if (marker && text.size() == 6)
            return text;
    }
    throw ConvertError(
        marker ? QStringLiteral("The serial must be 6 or 8 hexadecimal digits; \"%1\" is not").arg(typed)
               : QStringLiteral("The serial must be 8 hexadecimal digits; \"%1\" is not").arg(typed));
}

QString WithSerial(const QString& record, const QString& digits) {
    const bool marker = HasSerialMarker(record);
    if (digits.size() != (marker ? 6 : 8) || !isHexDigits(digits) ||
        (!marker && digits.startsWith(QLatin1String("F9"), Qt::CaseInsensitive)))
        throw ConvertError(QStringLiteral("The serial \"%1\" does not fit the item record").arg(digits));
    return rewrite(record, marker ? 9 : 7, digits.toUpper());
}

QString Convert2032(const QString& record) {
    if (record.size() != Length(Width::Narrow))
        throw ConvertError(QStringLiteral("\"%1\" is not a 10-byte item record").arg(record));
    if (IsEmpty(record, Width::Narrow))
        return EmptyRecord(Width::Wide);
    const int itemByte = hexOf(record, 1, 2);
    const bool unique = UniqueKey(record) == QLatin1String("8");
    const bool marker = HasSerialMarker(record);
    const int excellent = hexOf(record, 15, 2) & (unique ? 0x7F : 0xFF);
    const int code = itemByte + (unique ? 256 : 0);
    const int type = code / 32;
    const int number = code % 32 + (marker ? 32 : 0);
    return hex(number, 2) + chars(record, 3, 12) + hex(excellent, 2) + QLatin1Char('0') + charAt(record, 18) +
           hex(type, 1) + QString(13, QLatin1Char('0'));
}

} // namespace ItemRecord
