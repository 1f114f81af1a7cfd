#include "accounts/LetterText.h"

#include "core/UtilitiesUnit.h"

#include <QStringDecoder>

#include <array>

namespace LetterText {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. Kept here so that the
// default works whatever character sets the Qt build carries; the five
// unassigned bytes map to the control character of the same number, as the
// Windows conversion does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isCp1252(const QString& name) {
    const QString n = name.trimmed().toLower();
    return n.isEmpty() || n == QLatin1String("windows-1252") || n == QLatin1String("cp1252") ||
           n == QLatin1String("1252");
}

QString fromCp1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text += u >= 0x80 && u < 0xA0 ? QChar(kCp1252High[u - 0x80]) : QChar(u);
    }
    return text;
}

// Up to the first zero character. Cut after decoding: in a multi-byte
// character set a zero byte need not be a zero character, and a decoder may
// yield one from other bytes.
QString upToZero(QString text) {
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

QString decodeOneByte(const QByteArray& bytes, const QString& codePage) {
    if (!isCp1252(codePage)) {
        QStringDecoder decoder(codePage.trimmed().toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return fromCp1252(bytes);
}

QString twoByteText(const QByteArray& memo, const QString& codePage) {
    QString text;
    qsizetype i = 0;
    for (; i + 1 < memo.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(memo[i]) |
                                                static_cast<unsigned char>(memo[i + 1]) << 8);
        if (unit == 0)
            return text;
        text += QChar(unit);
    }
    // An odd length leaves a last byte without its pair: it is kept as a
    // one-byte character rather than lost.
    if (i < memo.size())
        text += decodeOneByte(memo.mid(i), codePage);
    return upToZero(text);
}

} // namespace

Letter Decode(const QByteArray& memo, const QString& codePage) {
    if (memo.size() >= 2 && memo[1] == '\0')
        return {QStringLiteral("Unicode"), twoByteText(memo, codePage)};
    const QString text = upToZero(decodeOneByte(memo, codePage));
    if (memo.size() < 2)
        return {std::nullopt, text};
    return {QStringLiteral("ASCII"), text};
}

QString CodePage() {
    const QString name = ReadSetting(QStringLiteral("Letters"), QStringLiteral("CodePage")).trimmed();
    return name.isEmpty() ? QString::fromLatin1(kDefaultCodePage) : name;
}

} // namespace LetterText
