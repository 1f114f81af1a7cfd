#include "platform/SqlTokenizer.h"

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#');
}
bool isWordChar(QChar c) {
    return isWordStart(c) || c.isDigit() || c == QLatin1Char('$');
}
bool isHex(QChar c) {
    return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

namespace SqlTokenizer {

QVector<SqlToken> Tokenize(const QString& sql) {
    QVector<SqlToken> out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto push = [&](SqlToken::Kind kind, qsizetype from) { out.push_back({kind, sql.mid(from, i - from)}); };
    while (i < n) {
        const qsizetype start = i;
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            push(SqlToken::Kind::Space, start);
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            push(SqlToken::Kind::Space, start);
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            push(SqlToken::Kind::Space, start);
        } else if (c == QLatin1Char('\'') ||
                   ((c == QLatin1Char('N') || c == QLatin1Char('n')) && next == QLatin1Char('\''))) {
            i += (c == QLatin1Char('\'')) ? 1 : 2;
            while (i < n) {
                if (sql[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && sql[i + 1] == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(SqlToken::Kind::String, start);
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            ++i;
            while (i < n) {
                if (sql[i] == close) {
                    if (i + 1 < n && sql[i + 1] == close) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(SqlToken::Kind::Identifier, start);
        } else if (c == QLatin1Char('0') && (next == QLatin1Char('x') || next == QLatin1Char('X'))) {
            i += 2;
            while (i < n && isHex(sql[i]))
                ++i;
            push(SqlToken::Kind::Binary, start);
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            while (i < n && (sql[i].isDigit() || sql[i] == QLatin1Char('.')))
                ++i;
            if (i < n && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-')))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            push(SqlToken::Kind::Number, start);
        } else if (c == QLatin1Char(':') && isWordStart(next) && next != QLatin1Char('@')) {
            ++i;
            while (i < n && isWordChar(sql[i]))
                ++i;
            push(SqlToken::Kind::Parameter, start);
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(sql[i]))
                ++i;
            push(SqlToken::Kind::Word, start);
        } else {
            ++i;
            push(SqlToken::Kind::Punct, start);
        }
    }
    return out;
}

QString Join(const QVector<SqlToken>& tokens) {
    QString out;
    for (const SqlToken& t : tokens)
        out += t.text;
    return out;
}

QVector<QVector<SqlToken>> SplitStatements(const QVector<SqlToken>& tokens) {
    QVector<QVector<SqlToken>> out;
    QVector<SqlToken> current;
    auto flush = [&] {
        for (const SqlToken& t : current) {
            if (!t.isSpace()) {
                out.push_back(current);
                break;
            }
        }
        current.clear();
    };
    for (const SqlToken& t : tokens) {
        if (t.isPunct(';'))
            flush();
        else
            current.push_back(t);
    }
    flush();
    return out;
}

QString NameOf(const SqlToken& token) {
    if (token.kind == SqlToken::Kind::Identifier && !token.text.isEmpty()) {
        const QChar close = token.text[0] == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
        // An unterminated name runs to the end of the text: nothing to cut there.
        const bool closed = token.text.size() >= 2 && token.text.back() == close;
        QString inner = token.text.mid(1, token.text.size() - (closed ? 2 : 1));
        return inner.replace(QString(2, close), QString(close));
    }
    return token.text;
}

} // namespace SqlTokenizer
