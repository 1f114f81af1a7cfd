#include "platform/SqliteDialect.h"

#include "platform/SqlTokenizer.h"
#include "platform/TanorError.h"

namespace {

using Tokens = QVector<SqlToken>;
using Kind = SqlToken::Kind;

[[noreturn]] void unsupported(const QString& construct, const Tokens& tokens) {
    throw DbError(QStringLiteral("The embedded server cannot run %1 in: %2")
                      .arg(construct, SqlTokenizer::Join(tokens).trimmed()));
}

// Index of the next token that is not blank, from i on; size() when none.
qsizetype nextSolid(const Tokens& t, qsizetype i) {
    while (i < t.size() && t[i].isSpace())
        ++i;
    return i;
}

// Index of the ")" that closes the "(" at `open`; size() when unbalanced.
qsizetype matchParen(const Tokens& t, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < t.size(); ++i) {
        if (t[i].isPunct('('))
            ++depth;
        else if (t[i].isPunct(')') && --depth == 0)
            return i;
    }
    return t.size();
}

SqlToken word(const QString& text) {
    return {Kind::Word, text};
}

// 0xABCD -> X'ABCD'
void rewriteBinary(Tokens& t) {
    for (SqlToken& tok : t) {
        if (tok.kind != Kind::Binary)
            continue;
        const QString digits = tok.text.mid(2);
        if (digits.size() % 2 != 0)
            unsupported(QStringLiteral("a binary literal with an odd number of digits (%1)").arg(tok.text),
                        t);
        tok = {Kind::String, QStringLiteral("X'") + digits + QLatin1Char('\'')};
    }
}

// N'text' -> 'text'
void rewriteUnicodeStrings(Tokens& t) {
    for (SqlToken& tok : t) {
        if (tok.kind == Kind::String &&
            (tok.text.startsWith(QLatin1Char('N')) || tok.text.startsWith(QLatin1Char('n'))))
            tok.text.remove(0, 1);
    }
}

// SELECT [DISTINCT] TOP n ... -> SELECT [DISTINCT] ... LIMIT n
void rewriteTop(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("TOP"))
            continue;
        qsizetype prev = i - 1;
        while (prev >= 0 && t[prev].isSpace())
            --prev;
        if (prev >= 0 && t[prev].isWord("DISTINCT")) {
            --prev;
            while (prev >= 0 && t[prev].isSpace())
                --prev;
        }
        qsizetype first = nextSolid(t, 0);
        const qsizetype num = nextSolid(t, i + 1);
        if (prev != first || !t[first].isWord("SELECT") || num >= t.size() || t[num].kind != Kind::Number)
            unsupported(QStringLiteral("TOP outside the head of a SELECT"), t);
        const qsizetype after = nextSolid(t, num + 1);
        if (after < t.size() && t[after].isWord("PERCENT"))
            unsupported(QStringLiteral("TOP ... PERCENT"), t);
        const QString n = t[num].text;
        t.remove(i, after - i);
        while (!t.isEmpty() && t.last().isSpace())
            t.removeLast();
        t.push_back({Kind::Space, QStringLiteral(" ")});
        t.push_back(word(QStringLiteral("LIMIT")));
        t.push_back({Kind::Space, QStringLiteral(" ")});
        t.push_back({Kind::Number, n});
        return;
    }
}

// Convert(datetime, x) -> (x): datetimes are stored as sortable text.
void rewriteConvert(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("CONVERT"))
            continue;
        const qsizetype open = nextSolid(t, i + 1);
        if (open >= t.size() || !t[open].isPunct('('))
            continue;
        const qsizetype type = nextSolid(t, open + 1);
        const qsizetype comma = nextSolid(t, type + 1);
        const qsizetype close = matchParen(t, open);
        if (type >= t.size() || !(t[type].isWord("datetime") || t[type].isWord("smalldatetime")) ||
            comma >= t.size() || !t[comma].isPunct(',') || close >= t.size())
            unsupported(QStringLiteral("CONVERT to a type other than datetime"), t);
        // Keep the inner expression inside parentheses.
        t.remove(i, nextSolid(t, comma + 1) - i);
        t.insert(i, {Kind::Punct, QStringLiteral("(")});
    }
}

// getdate() -> the local time as the server shows it, "yyyy-mm-dd hh:mm:ss.mmm".
void rewriteGetdate(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("GETDATE"))
            continue;
        const qsizetype open = nextSolid(t, i + 1);
        const qsizetype close = nextSolid(t, open + 1);
        if (open >= t.size() || !t[open].isPunct('(') || close >= t.size() || !t[close].isPunct(')'))
            continue;
        t.remove(i, close + 1 - i);
        t.insert(i, word(QStringLiteral("strftime('%Y-%m-%d %H:%M:%f','now','localtime')")));
    }
}

// Db..Table -> Db.Table (the database is attached) or Table (own database).
void rewriteThreePart(Tokens& t, const SqliteDialect::Context& ctx, QStringList& attach) {
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (!(t[i].isPunct('.') && t[i + 1].isPunct('.')))
            continue;
        const bool hasDb = i > 0 && (t[i - 1].kind == Kind::Word || t[i - 1].kind == Kind::Identifier);
        if (!hasDb) { // "..Table": the connection's own database
            t.remove(i, 2);
            continue;
        }
        const QString db = SqlTokenizer::NameOf(t[i - 1]);
        if (db.compare(ctx.ownDatabase, Qt::CaseInsensitive) == 0) {
            t.remove(i - 1, 3);
            --i;
        } else {
            if (!attach.contains(db, Qt::CaseInsensitive))
                attach << db;
            t.remove(i, 1);
        }
    }
}

// The operator table's DDL: identity, collations and filegroups.
void rewriteDdl(Tokens& t) {
    const qsizetype first = nextSolid(t, 0);
    if (first >= t.size() || !t[first].isWord("CREATE"))
        return;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isWord("IDENTITY")) {
            // [int] IDENTITY (1, 1) -> INTEGER PRIMARY KEY AUTOINCREMENT
            qsizetype typeTok = i - 1;
            while (typeTok >= 0 && t[typeTok].isSpace())
                --typeTok;
            qsizetype end = i;
            const qsizetype open = nextSolid(t, i + 1);
            if (open < t.size() && t[open].isPunct('('))
                end = matchParen(t, open);
            if (typeTok < 0 || end >= t.size())
                unsupported(QStringLiteral("this IDENTITY column"), t);
            t.remove(typeTok, end + 1 - typeTok);
            t.insert(typeTok, word(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")));
            i = typeTok;
        } else if (t[i].isWord("COLLATE")) {
            const qsizetype name = nextSolid(t, i + 1);
            if (name < t.size()) {
                const QString n = SqlTokenizer::NameOf(t[name]);
                t[name] =
                    word(n.contains(QLatin1String("_CS"), Qt::CaseInsensitive) ? QStringLiteral("BINARY")
                                                                               : QStringLiteral("NOCASE"));
            }
        } else if (t[i].isWord("ON")) {
            const qsizetype fg = nextSolid(t, i + 1);
            if (fg < t.size() &&
                SqlTokenizer::NameOf(t[fg]).compare(QLatin1String("PRIMARY"), Qt::CaseInsensitive) == 0 &&
                nextSolid(t, fg + 1) >= t.size()) {
                t.remove(i, fg + 1 - i);
                --i;
            }
        }
    }
}

// The catalogue names a column "Unique", a keyword of SQLite.
void quoteCatalogueKeywords(Tokens& t) {
    for (SqlToken& tok : t) {
        if (tok.isWord("UNIQUE"))
            tok = {Kind::Identifier, QLatin1Char('"') + tok.text + QLatin1Char('"')};
    }
}

QString literalOf(const Tokens& value, const Tokens& all) {
    QString text;
    for (const SqlToken& tok : value) {
        if (tok.isSpace())
            continue;
        switch (tok.kind) {
        case Kind::String:
        case Kind::Number:
        case Kind::Binary:
            text += tok.text;
            break;
        case Kind::Punct:
            if (tok.isPunct('-') || tok.isPunct('+')) {
                text += tok.text;
                break;
            }
            unsupported(QStringLiteral("a procedure argument that is not a literal"), all);
        case Kind::Word:
            if (tok.isWord("NULL")) {
                text += tok.text;
                break;
            }
            [[fallthrough]];
        default:
            unsupported(QStringLiteral("a procedure argument that is not a literal"), all);
        }
    }
    return text;
}

SqliteDialect::ProcedureCall parseCall(Tokens t, qsizetype nameAt) {
    rewriteBinary(t);
    rewriteUnicodeStrings(t);
    SqliteDialect::ProcedureCall call;
    call.name = SqlTokenizer::NameOf(t[nameAt]);
    // Drop an owner prefix: dbo.Proc
    qsizetype i = nameAt + 1;
    while (i + 1 < t.size() && t[i].isPunct('.')) {
        call.name = SqlTokenizer::NameOf(t[i + 1]);
        i += 2;
    }
    Tokens rest(t.begin() + i, t.end());
    // Arguments separated by top-level commas.
    QVector<Tokens> pieces(1);
    for (const SqlToken& tok : rest) {
        if (tok.isPunct(','))
            pieces.push_back({});
        else
            pieces.last().push_back(tok);
    }
    int position = 0;
    for (const Tokens& piece : pieces) {
        const qsizetype a = nextSolid(piece, 0);
        if (a >= piece.size())
            continue;
        ++position;
        if (piece[a].kind == Kind::Word && piece[a].text.startsWith(QLatin1Char('@'))) {
            const qsizetype eq = nextSolid(piece, a + 1);
            if (eq >= piece.size() || !piece[eq].isPunct('='))
                unsupported(QStringLiteral("a procedure argument without \"=\""), t);
            call.arguments.push_back({piece[a].text.mid(1), literalOf(piece.mid(eq + 1), t)});
        } else {
            call.arguments.push_back({QString::number(position), literalOf(piece.mid(a), t)});
        }
    }
    return call;
}

} // namespace

namespace SqliteDialect {

QVector<Statement> Rewrite(const QString& sql, const Context& context) {
    QVector<Statement> out;
    for (Tokens t : SqlTokenizer::SplitStatements(SqlTokenizer::Tokenize(sql))) {
        Statement st;
        const qsizetype first = nextSolid(t, 0);
        // Blanks and comments between two ";" are no statement.
        if (first >= t.size())
            continue;
        if (t[first].isWord("EXEC") || t[first].isWord("EXECUTE")) {
            const qsizetype name = nextSolid(t, first + 1);
            if (name >= t.size() || !(t[name].kind == Kind::Word || t[name].kind == Kind::Identifier))
                unsupported(QStringLiteral("EXECUTE without a procedure name"), t);
            st.isProcedure = true;
            st.returnsRows = true;
            st.call = parseCall(t, name);
            if (st.call.name.isEmpty())
                unsupported(QStringLiteral("EXECUTE without a procedure name"), t);
            out.push_back(st);
            continue;
        }
        rewriteBinary(t);
        rewriteUnicodeStrings(t);
        rewriteTop(t);
        rewriteConvert(t);
        rewriteGetdate(t);
        rewriteThreePart(t, context, st.attach);
        rewriteDdl(t);
        if (context.catalogue)
            quoteCatalogueKeywords(t);
        const qsizetype head = nextSolid(t, 0);
        // "Db..", ".." and the like leave nothing to run once the database
        // names are resolved.
        if (head >= t.size())
            throw DbError(QStringLiteral("The embedded server cannot run an empty statement: %1")
                              .arg(SqlTokenizer::Join(SqlTokenizer::Tokenize(sql)).trimmed()));
        st.returnsRows = t[head].isWord("SELECT") || t[head].isWord("VALUES") || t[head].isWord("WITH") ||
                         t[head].isWord("PRAGMA") || t[head].isPunct('(');
        st.sql = SqlTokenizer::Join(t);
        out.push_back(st);
    }
    return out;
}

} // namespace SqliteDialect
