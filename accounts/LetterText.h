#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The text of a letter (`T_FriendMail.Memo`) as the friends window shows it.
// A letter is one byte per character in the code page of the players'
// clients, or two bytes per character (UTF-16LE) when its second byte is 0.
namespace LetterText {

inline constexpr char kDefaultCodePage[] = "Windows-1252";

struct Letter {
    // "Unicode" or "ASCII"; none for a letter shorter than two bytes, whose
    // kind cannot be told.
    std::optional<QString> type;
    // Up to the first zero character.
    QString text;
};

// `codePage` names the one-byte character set (an empty or unknown name
// reads as Windows-1252).
[[nodiscard]] Letter Decode(const QByteArray& memo, const QString& codePage = QString());

// The one-byte character set from the settings (Letters/CodePage), or
// Windows-1252 when the key is not set.
[[nodiscard]] QString CodePage();

} // namespace LetterText
