#include "accounts/MagicList.h"

#include <stdexcept>

namespace MagicList {

namespace {
constexpr int kRecordDigits = 6; // three bytes
} // namespace

QStringList SkillNumbers(const QString& columnHex) {
    QStringList numbers;
    numbers.reserve(kRecords);
    for (int k = 0; k < kRecords; ++k) {
        const int at = kRecordDigits * k;
        numbers << (at + 2 <= columnHex.size() ? columnHex.mid(at, 2).toUpper()
                                               : QString::fromLatin1(kEmpty));
    }
    return numbers;
}

bool IsSkillNumber(const QString& number) {
    if (number.size() != 2)
        return false;
    for (const QChar c : number) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
                            (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
        if (!digit && !letter)
            return false;
    }
    return true;
}

QString Literal(const QStringList& numbers) {
    if (numbers.size() > kRecords)
        throw std::length_error("A skill list holds at most 43 skills");
    QString literal = QStringLiteral("0x");
    literal.reserve(2 + 2 * kBytes);
    for (int k = 0; k < kRecords; ++k) {
        const QString number = k < numbers.size() ? numbers[k] : QString::fromLatin1(kEmpty);
        if (!IsSkillNumber(number))
            throw std::invalid_argument("Not a skill number: " + number.toStdString());
        literal += number.toUpper();
        literal += k + 1 < kRecords ? QStringLiteral("0000") : QStringLiteral("00");
    }
    return literal;
}

} // namespace MagicList
