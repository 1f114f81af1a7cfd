#include "platform/Query.h"

#include "platform/ConnectionPool.h"
#include "platform/DataTarget.h"
#include "platform/DriverError.h"
#include "platform/EmbeddedServer.h"
#include "platform/SqliteDialect.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>

// ---------------------------------------------------------------- Field

QString Field::AsString() const {
    if (m_value.isNull())
        return {};
    if (m_bit || m_value.typeId() == QMetaType::Bool) {
        bool flag = false;
        if (m_value.typeId() == QMetaType::QString)
            flag = m_value.toString() == QLatin1String("1") ||
                   m_value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        else
            flag = m_value.toLongLong() != 0;
        return flag ? QStringLiteral("True") : QStringLiteral("False");
    }
    if (m_value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(m_value.toByteArray());
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return m_value.toString();
}

qint64 Field::AsLargeInt() const {
    if (m_value.isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return m_value.toLongLong();
    case QMetaType::Double:
        return qRound64(m_value.toDouble());
    default:
        break;
    }
    const QString text = m_value.toString().trimmed();
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok)
        return n;
    const double f = text.toDouble(&ok);
    if (ok)
        return qRound64(f);
    throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(m_value.toString()));
}

int Field::AsInteger() const {
    return int(AsLargeInt());
}

QByteArray Field::AsBytes() const {
    if (m_value.isNull())
        return {};
    if (m_value.typeId() == QMetaType::QString)
        return m_value.toString().toLatin1();
    return m_value.toByteArray();
}

// ---------------------------------------------------------------- Query

struct Query::Impl {
    QString connectionString;
    QString text;

    ConnectionPool::Lease lease;
    QSqlQuery* live = nullptr;     // ODBC or plain SQLite result, read row by row (the lease's)
    EmbeddedServer::Rows buffered; // procedure result
    bool usesBuffer = false;
    bool odbc = false;
    bool hold = false;
    bool snapshot = false;
    qsizetype bufferRow = 0;

    bool active = false;
    bool eof = true;
    bool empty = true;
    QSqlRecord record;
    QVector<QVariant> row;

    // What a column of the result is called and whether it is declared
    // bit/boolean, taken from the record when the column is first asked for.
    struct Column {
        QString name;
        bool bit = false;
        bool known = false;
    };
    QVector<Column> columns;
    // FieldByName looks first at the column after the one it found last
    // (fields are mostly read in the order they are selected), then at the
    // names it has found before in this result.
    int nextColumn = 0;
    QHash<QString, int> found;

    void reset() {
        if (live)
            live->finish(); // before the connection goes back
        live = nullptr;
        if (!hold)
            lease.release();
        // Cleared only when used: an empty record or row set still costs an
        // allocation, and a query is reset several times per statement.
        if (usesBuffer || !buffered.rows.isEmpty())
            buffered = {};
        usesBuffer = false;
        active = false;
        eof = true;
        empty = true;
        if (!record.isEmpty())
            record = QSqlRecord();
        columns.clear();
        nextColumn = 0;
        found.clear();
        row.clear();
    }

    void loadRow() {
        row.resize(record.count());
        if (usesBuffer) {
            row = buffered.rows[bufferRow];
            return;
        }
        for (int i = 0; i < row.size(); ++i)
            row[i] = live->value(i);
    }

    const Column& column(int index) {
        if (columns.size() != record.count())
            columns.resize(record.count());
        Column& c = columns[index];
        if (!c.known) {
            // QSQLITE reports a BOOLEAN column as bool; QODBC reports bit as an
            // integer type but keeps the ODBC type SQL_BIT (-7) as the field's
            // type id.
            constexpr int kSqlBit = -7;
            const QSqlField field = record.field(index);
            c.name = field.name();
            c.bit = field.metaType().id() == QMetaType::Bool || (odbc && field.typeID() == kSqlBit);
            c.known = true;
        }
        return c;
    }

    [[nodiscard]] int indexOf(const QString& name) {
        const int count = record.count();
        if (nextColumn < count && column(nextColumn).name.compare(name, Qt::CaseInsensitive) == 0)
            return nextColumn;
        if (const auto it = found.constFind(name); it != found.cend())
            return *it;
        for (int i = 0; i < count; ++i) {
            if (column(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                found.insert(name, i);
                return i;
            }
        }
        return -1;
    }

    void advance() {
        if (usesBuffer) {
            ++bufferRow;
            eof = bufferRow >= buffered.rows.size();
        } else {
            eof = !live->next();
            if (eof && live->lastError().isValid())
                throw DbError(DriverErrorText(live->lastError()));
        }
        if (!eof)
            loadRow();
    }

    // The connection's statement object, forward only.
    QSqlQuery& statement() {
        std::optional<QSqlQuery>& st = lease.slot().statement;
        if (!st) {
            st.emplace(lease.database());
            st->setForwardOnly(true);
        }
        return *st;
    }

    // Runs the statement; leaves the result (if any) in live/buffered.
    // Returns rows affected.
    qint64 run(const ConnectionTarget& parsed, bool wantRows);
};

namespace {

// A text's rewrite depends only on the text and the database it runs on, and
// windows send the same few texts again and again: keep the last ones.
const QVector<SqliteDialect::Statement>& rewritten(const QString& text,
                                                   const SqliteDialect::Context& context) {
    constexpr qsizetype kKept = 256;
    static QHash<QString, QHash<QString, QVector<SqliteDialect::Statement>>> byDatabase[2];
    QHash<QString, QVector<SqliteDialect::Statement>>& memo =
        byDatabase[context.catalogue][context.ownDatabase];
    const auto it = memo.constFind(text);
    if (it != memo.cend())
        return *it;
    QVector<SqliteDialect::Statement> statements = SqliteDialect::Rewrite(text, context);
    if (memo.size() >= kKept)
        memo.clear();
    return *memo.insert(text, std::move(statements));
}

[[noreturn]] void raise(ConnectionPool::Lease& lease, const QSqlError& error, bool odbc) {
    // SQLSTATE class 08 is a broken connection: the pool must not keep it.
    // QSQLITE reports every failed step as a connection error, though the
    // connection (and its open transaction) is as good as before.
    const bool broken = odbc ? error.type() == QSqlError::ConnectionError ||
                                   error.nativeErrorCode().startsWith(QLatin1String("08"))
                             : !lease.database().isOpen();
    if (broken)
        lease.markBroken();
    throw DbError(DriverErrorText(error));
}

} // namespace

qint64 Query::Impl::run(const ConnectionTarget& parsed, bool wantRows) {
    const DataTarget target = DataTargets::Resolve(parsed);
    if (!(hold && lease.valid() && !lease.slot().broken && lease.slot().key == target.key()))
        lease = ConnectionPool::instance().acquire(target);
    QSqlDatabase db = lease.database();

    odbc = target.backend == DataTarget::Backend::Odbc;
    if (odbc) {
        live = &statement();
        live->setForwardOnly(!snapshot);
        if (!live->exec(text))
            raise(lease, live->lastError(), odbc);
        if (wantRows && !live->isSelect())
            throw DbError(QStringLiteral("The statement returned no rows to read"));
        return live->isSelect() ? -1 : live->numRowsAffected();
    }

    // The file's stem, worked out again only for another file.
    static QString lastLocation, lastOwn;
    if (target.location != lastLocation) {
        lastOwn = target.ownDatabase();
        lastLocation = target.location;
    }
    SqliteDialect::Context context;
    context.ownDatabase = lastOwn;
    context.catalogue = target.catalogue;
    const QVector<SqliteDialect::Statement> statements = rewritten(text, context);
    if (statements.isEmpty())
        throw DbError(QStringLiteral("The statement is empty"));
    qint64 affected = -1;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const SqliteDialect::Statement& st = statements[i];
        const bool last = i + 1 == statements.size();
        for (const QString& name : st.attach) {
            if (!lease.slot().attached.contains(name.toLower())) {
                EmbeddedServer::Attach(db, target.location, name);
                lease.slot().attached.insert(name.toLower());
            }
        }
        if (st.isProcedure) {
            if (live)
                live->finish();
            live = nullptr;
            buffered = EmbeddedServer::RunProcedure(db, st.call);
            usesBuffer = true;
            affected = -1;
            continue;
        }
        usesBuffer = false;
        live = &statement();
        if (!live->exec(st.sql))
            raise(lease, live->lastError(), odbc);
        affected = st.returnsRows ? -1 : live->numRowsAffected();
        if (!last || !wantRows)
            live->finish();
    }
    if (wantRows) {
        const bool rows = usesBuffer || (live && live->isSelect());
        if (!rows)
            throw DbError(QStringLiteral("The statement returned no rows to read"));
    }
    return affected;
}

Query::Query() : d(std::make_unique<Impl>()) {}
Query::~Query() {
    if (d) {
        d->reset();
        d->lease.release();
    }
}
Query::Query(Query&&) noexcept = default;
Query& Query::operator=(Query&&) noexcept = default;

void Query::Close() {
    d->reset();
    d->lease.release();
}

void Query::Hold(bool hold) {
    d->hold = hold;
    if (!hold) {
        d->reset();
        d->lease.release();
    }
}

void Query::SetSnapshot(bool snapshot) {
    d->snapshot = snapshot;
}

void Query::SetConnectionString(const QString& text) {
    d->reset();
    d->connectionString = text;
}

const QString& Query::ConnectionString() const {
    return d->connectionString;
}

void Query::SetText(const QString& text) {
    d->reset();
    d->text = text;
}

void Query::SetLines(const QStringList& lines) {
    SetText(lines.join(QStringLiteral("\r\n")));
}

const QString& Query::Text() const {
    return d->text;
}

namespace {

template <class Body> qint64 journaled(const QString& cs, const QString& text, bool opened, Body body) {
    JournalEntry entry;
    entry.text = text;
    entry.opened = opened;
    QElapsedTimer timer;
    timer.start();
    try {
        // Taken apart once: the journal shows the data source, the body
        // resolves it.
        const ConnectionTarget parsed = ConnectionString::Parse(cs);
        entry.connection = parsed.dataSource;
        entry.rows = body(parsed);
    } catch (const TanorError& e) {
        entry.micros = timer.nsecsElapsed() / 1000;
        entry.error = e.text();
        StatementJournal::Publish(entry);
        throw;
    }
    entry.micros = timer.nsecsElapsed() / 1000;
    StatementJournal::Publish(entry);
    return entry.rows;
}

} // namespace

void Query::Open() {
    d->reset();
    try {
        journaled(d->connectionString, d->text, true, [this](const ConnectionTarget& parsed) {
            d->run(parsed, true);
            d->record = d->usesBuffer ? d->buffered.record : d->live->record();
            d->active = true;
            d->bufferRow = -1;
            d->advance();
            d->empty = d->eof;
            return qint64(-1);
        });
    } catch (...) {
        d->reset();
        throw;
    }
}

qint64 Query::ExecSQL() {
    d->reset();
    try {
        const qint64 rows =
            journaled(d->connectionString, d->text, false,
                      [this](const ConnectionTarget& parsed) { return d->run(parsed, false); });
        d->reset();
        return rows;
    } catch (...) {
        d->reset();
        throw;
    }
}

bool Query::Active() const {
    return d->active;
}
bool Query::Eof() const {
    return d->eof;
}
bool Query::IsEmpty() const {
    return d->empty;
}

void Query::Next() {
    if (!d->active || d->eof)
        return;
    d->advance();
}

int Query::FieldCount() const {
    return d->record.count();
}

Field Query::Fields(int index) const {
    if (!d->active)
        throw DbError(QStringLiteral("The query is not open"));
    if (index < 0 || index >= d->record.count())
        throw DbError(QStringLiteral("The result has no column %1").arg(index));
    const Impl::Column& column = d->column(index);
    return Field(column.name, d->eof ? QVariant() : d->row.value(index), column.bit);
}

Field Query::FieldByName(const QString& name) const {
    const int index = d->indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    d->nextColumn = (index + 1) % d->record.count();
    return Fields(index);
}
