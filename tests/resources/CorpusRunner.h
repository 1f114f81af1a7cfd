#pragma once

#include "platform/Query.h"

#include <QString>
#include <QStringList>

// Runs statement texts on the demo server the way the windows do: one query
// object, closed and given the connection string of its database before
// every statement, opened when the statement returns rows and executed
// otherwise. A statement that fails reports its form, its text and the
// server's error as a test failure.
class CorpusRunner {
public:
    enum class Db { Account, Game, Log, Ranking, Operator, Catalogue };

    // A row-returning statement; lines are joined by line breaks as the
    // windows send them. True when it ran; the result stays open.
    bool open(const QString& form, Db db, const QStringList& lines);
    // A statement without rows. True when it ran; `rows` gets the rows it
    // affected (-1 when the server does not say).
    bool exec(const QString& form, Db db, const QStringList& lines, qint64* rows = nullptr);
    // A statement that fails by design. True when the server refused it;
    // the refusal is kept in lastError().
    bool fails(const QString& form, Db db, const QStringList& lines, bool opened);
    [[nodiscard]] const QString& lastError() const { return m_lastError; }

    // The open result: a column of the current row as text, "<no row>" when
    // the result is empty or closed.
    [[nodiscard]] QString value(int column) const;
    [[nodiscard]] QString value(const QString& column) const;
    [[nodiscard]] QByteArray bytes(int column) const;
    [[nodiscard]] int columns() const { return m_query.FieldCount(); }
    // Column `column` of every remaining row; the result is read to its end.
    [[nodiscard]] QStringList rows(int column = 0);
    // Moves to the next row whose `column` reads `text`; false at the end.
    bool findRow(int column, const QString& text);

    [[nodiscard]] static QString connection(Db db);

private:
    bool run(Db db, const QStringList& lines, bool opened, qint64* rows);

    Query m_query;
    QString m_lastError;
};

// Reads one column of the first row with a query of its own, outside the
// corpus: how a test looks at what a statement did.
[[nodiscard]] QByteArray ReadBytes(CorpusRunner::Db db, const QString& sql);
[[nodiscard]] QString ReadText(CorpusRunner::Db db, const QString& sql);
