#pragma once

#include <QString>
#include <QVector>

// A lexer good enough to rewrite T-SQL statements for the embedded server
// without ever touching what stands inside a string or a quoted name.
struct SqlToken {
    enum class Kind {
        Space,      // blanks, line breaks and comments
        String,     // '...' with '' inside (an N prefix belongs to the token)
        Identifier, // [name] or "name"
        Number,     // 12, 1.5
        Binary,     // 0x0A1B
        Word,       // names and keywords, also @param and #temp
        Parameter,  // :name (procedure bodies)
        Punct,      // everything else, one character at a time
    };
    Kind kind;
    QString text;

    [[nodiscard]] bool isWord(const char* w) const {
        return kind == Kind::Word && text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    [[nodiscard]] bool isPunct(char c) const {
        return kind == Kind::Punct && text.size() == 1 && text[0] == QLatin1Char(c);
    }
    [[nodiscard]] bool isSpace() const { return kind == Kind::Space; }
};

namespace SqlTokenizer {

// Never fails: an unterminated string or name runs to the end of the text.
[[nodiscard]] QVector<SqlToken> Tokenize(const QString& sql);

// Concatenates the token texts.
[[nodiscard]] QString Join(const QVector<SqlToken>& tokens);

// Splits a batch at ";" outside strings and names; empty pieces are dropped.
[[nodiscard]] QVector<QVector<SqlToken>> SplitStatements(const QVector<SqlToken>& tokens);

// The unquoted name of an identifier or word token ("[x]" -> "x").
[[nodiscard]] QString NameOf(const SqlToken& token);

} // namespace SqlTokenizer
