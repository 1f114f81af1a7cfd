#include "core/AuditLog.h"

#include "core/UtilitiesUnit.h"
#include "platform/SqlTokenizer.h"
#include "platform/StatementJournal.h"

#include <QDateTime>
#include <QFile>

namespace {

using Tokens = QVector<SqlToken>;

const QString kMask = QStringLiteral("'***'");

// Columns and procedure parameters that hold passwords: the operators', the
// game accounts', the warehouse's, and the hashing procedure's input.
bool isPasswordName(const QString& name) {
    static const QStringList names = {QStringLiteral("mang__pwd"), QStringLiteral("memb__pwd"),
                                      QStringLiteral("pw"), QStringLiteral("@btInStr")};
    return names.contains(name, Qt::CaseInsensitive);
}

bool isName(const SqlToken& t) {
    return t.kind == SqlToken::Kind::Word || t.kind == SqlToken::Kind::Identifier;
}

bool isValue(const SqlToken& t) {
    return t.kind == SqlToken::Kind::String || t.kind == SqlToken::Kind::Number ||
           t.kind == SqlToken::Kind::Binary;
}

// Indexes of the solid tokens, one list per statement of the batch.
QVector<QVector<qsizetype>> solidIndexes(const Tokens& t) {
    QVector<QVector<qsizetype>> out(1);
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isPunct(';'))
            out.push_back({});
        else if (!t[i].isSpace())
            out.last() << i;
    }
    return out;
}

// name = value (SET lists, named procedure arguments).
void maskAssignments(Tokens& t, const QVector<qsizetype>& solid) {
    for (qsizetype k = 0; k + 2 < solid.size(); ++k) {
        const SqlToken& name = t[solid[k]];
        if (isName(name) && isPasswordName(SqlTokenizer::NameOf(name)) && t[solid[k + 1]].isPunct('=') &&
            isValue(t[solid[k + 2]]))
            t[solid[k + 2]].text = kMask;
    }
}

// The top-level comma-separated entries of the parenthesis at solid[open]:
// for each, the position in `solid` of its first token.
QVector<qsizetype> listEntries(const Tokens& t, const QVector<qsizetype>& solid, qsizetype open) {
    QVector<qsizetype> entries;
    int depth = 0;
    for (qsizetype k = open; k < solid.size(); ++k) {
        const SqlToken& tok = t[solid[k]];
        if (tok.isPunct('(')) {
            if (++depth == 1)
                entries << k + 1;
        } else if (tok.isPunct(')')) {
            if (--depth == 0)
                break;
        } else if (depth == 1 && tok.isPunct(',')) {
            entries << k + 1;
        }
    }
    return entries;
}

// INSERT INTO T (a, b, ...) VALUES (x, y, ...): values by their column.
void maskInsert(Tokens& t, const QVector<qsizetype>& solid) {
    if (solid.isEmpty() || !t[solid[0]].isWord("INSERT"))
        return;
    qsizetype columns = -1;
    qsizetype values = -1;
    for (qsizetype k = 0; k < solid.size(); ++k) {
        if (columns < 0 && t[solid[k]].isPunct('('))
            columns = k;
        if (t[solid[k]].isWord("VALUES") && k + 1 < solid.size() && t[solid[k + 1]].isPunct('(')) {
            values = k + 1;
            break;
        }
    }
    if (columns < 0 || values < 0 || columns > values)
        return;
    const QVector<qsizetype> names = listEntries(t, solid, columns);
    const QVector<qsizetype> given = listEntries(t, solid, values);
    for (qsizetype i = 0; i < names.size() && i < given.size(); ++i) {
        if (isPasswordName(SqlTokenizer::NameOf(t[solid[names[i]]])) && isValue(t[solid[given[i]]]))
            t[solid[given[i]]].text = kMask;
    }
}

// EXEC SP_MD5_ENCODE_VALUE 'password', 'account': the first argument.
void maskHashingCall(Tokens& t, const QVector<qsizetype>& solid) {
    if (solid.size() < 3 || !(t[solid[0]].isWord("EXEC") || t[solid[0]].isWord("EXECUTE")))
        return;
    qsizetype k = 1;
    while (k + 2 < solid.size() && t[solid[k + 1]].isPunct('.')) // owner prefixes: dbo.Proc
        k += 2;
    if (SqlTokenizer::NameOf(t[solid[k]])
                .compare(QLatin1String("SP_MD5_ENCODE_VALUE"), Qt::CaseInsensitive) == 0 &&
        k + 1 < solid.size() && isValue(t[solid[k + 1]]))
        t[solid[k + 1]].text = kMask;
}

} // namespace

QString AuditLog::MaskPasswords(const QString& statement) {
    Tokens t = SqlTokenizer::Tokenize(statement);
    for (const QVector<qsizetype>& solid : solidIndexes(t)) {
        maskAssignments(t, solid);
        maskInsert(t, solid);
        maskHashingCall(t, solid);
    }
    return SqlTokenizer::Join(t);
}

namespace {

bool isChange(const JournalEntry& e) {
    if (!e.error.isEmpty())
        return false;
    if (!e.opened)
        return true;
    // Procedures are opened for their result rows but change data.
    const QString head = e.text.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return head == QLatin1String("EXEC") || head == QLatin1String("EXECUTE");
}

void record(const JournalEntry& e, const QString& operatorId) {
    if (!isChange(e))
        return;
    const QString file = ReadSetting(QStringLiteral("Audit"), QStringLiteral("File"));
    if (file.isEmpty())
        return;
    QString text = AuditLog::MaskPasswords(e.text);
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                         QLatin1Char('\t') + operatorId + QLatin1Char('\t') + e.connection +
                         QLatin1Char('\t') + text + QLatin1Char('\n');
    QFile f(file);
    // An audit file that cannot be written must not stop the operator's work.
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write(line.toUtf8());
}

} // namespace

AuditTrail::AuditTrail(std::function<QString()> currentOperator)
    : m_handle(StatementJournal::AddListener([who = std::move(currentOperator)](const JournalEntry& e) {
          record(e, who ? who() : QString());
      })) {}

AuditTrail::~AuditTrail() {
    StatementJournal::RemoveListener(m_handle);
}
