#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

// One column of the current row.
class Field {
public:
    Field() = default;
    // `bit`: the column is declared bit/boolean (the drivers report that
    // differently, so the query decides from the column's declared type).
    Field(QString name, QVariant value, bool bit)
        : m_name(std::move(name)), m_value(std::move(value)), m_bit(bit) {}

    [[nodiscard]] const QString& name() const { return m_name; }
    [[nodiscard]] bool isNull() const { return m_value.isNull(); }
    [[nodiscard]] const QVariant& value() const { return m_value; }
    // NULL reads as empty text; a bit column as "True"/"False".
    [[nodiscard]] QString AsString() const;
    // NULL reads as 0; text that is not a whole number throws ConvertError.
    [[nodiscard]] int AsInteger() const;
    [[nodiscard]] qint64 AsLargeInt() const;
    [[nodiscard]] QByteArray AsBytes() const;

private:
    QString m_name;
    QVariant m_value;
    bool m_bit = false;
};

// A statement and its result, as the windows use them: close, set the
// connection string, set the text, then Open (rows) or ExecSQL (no rows).
// Every statement connects through the pool and is published to the
// statement journal. Failures throw DbError with the driver's text.
class Query {
public:
    Query();
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    Query(Query&&) noexcept;
    Query& operator=(Query&&) noexcept;

    void Close();
    void SetConnectionString(const QString& text);
    [[nodiscard]] const QString& ConnectionString() const;
    void SetText(const QString& text);
    // A statement of several lines, joined by line breaks.
    void SetLines(const QStringList& lines);
    [[nodiscard]] const QString& Text() const;

    // Keeps the connection between statements (until Close or Hold(false)),
    // so that a transaction begun by one statement covers the next ones. A
    // new connection string aimed elsewhere takes a connection of its own.
    void Hold(bool hold);
    // On the ODBC backend, reads through a static cursor: the server copies
    // the result and holds no locks on the table while its rows are read
    // (a walk that writes the same table meanwhile cannot block itself). The
    // embedded backend streams either way.
    void SetSnapshot(bool snapshot);

    // Runs a row-returning statement and stands on its first row.
    void Open();
    // Runs a statement; returns the rows it affected (-1 when unknown).
    qint64 ExecSQL();
    // Sends several statements in one batch (one round trip to a server),
    // joined by ";" and a line break, and returns the rows each affected, read
    // through the driver's next result. A statement that fails ends the
    // batch: DbError, and the rest was not run. Fewer answers than statements
    // is an error too, so every statement is known to have run.
    QVector<qint64> ExecBatch(const QStringList& statements);

    // A transaction through the driver on the held connection (on ODBC the
    // autocommit attribute: a server takes no SQLite BEGIN). Throws DbError
    // with the driver's text when it cannot.
    void Transaction();
    void Commit();
    void Rollback();

    [[nodiscard]] bool Active() const;
    [[nodiscard]] bool Eof() const;
    [[nodiscard]] bool IsEmpty() const;
    void Next();

    [[nodiscard]] int FieldCount() const;
    [[nodiscard]] Field Fields(int index) const;
    // Case-insensitive; throws DbError for a name the result does not have.
    [[nodiscard]] Field FieldByName(const QString& name) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
