#include "CorpusRunner.h"

#include <gtest/gtest.h>

#include "core/UtilitiesUnit.h"
#include "platform/TanorError.h"

namespace {

QString joined(const QStringList& lines) {
    return lines.join(QStringLiteral("\n"));
}

} // namespace

QString CorpusRunner::connection(Db db) {
    switch (db) {
    case Db::Account:
        return BuildConnectionString(QStringLiteral("AccountDNS"));
    case Db::Game:
        return BuildConnectionString(QStringLiteral("TanorOnlineDNS"));
    case Db::Log:
        return BuildConnectionString(QStringLiteral("TanorLogDNS"));
    case Db::Ranking:
        return BuildConnectionString(QStringLiteral("RankingDNS"));
    case Db::Operator:
        return BuildConnectionString(QStringLiteral("VornDNS"));
    case Db::Catalogue:
        return CatalogueConnectionString();
    }
    return {};
}

bool CorpusRunner::run(Db db, const QStringList& lines, bool opened, qint64* rows) {
    m_lastError.clear();
    m_query.Close();
    m_query.SetConnectionString(connection(db));
    m_query.SetLines(lines);
    try {
        if (opened) {
            m_query.Open();
        } else {
            const qint64 n = m_query.ExecSQL();
            if (rows)
                *rows = n;
        }
        return true;
    } catch (const TanorError& e) {
        m_lastError = e.text();
        return false;
    }
}

bool CorpusRunner::open(const QString& form, Db db, const QStringList& lines) {
    if (run(db, lines, true, nullptr))
        return true;
    ADD_FAILURE() << "[" << form.toStdString() << "] did not run:\n"
                  << joined(lines).toStdString() << "\n-> " << m_lastError.toStdString();
    return false;
}

bool CorpusRunner::exec(const QString& form, Db db, const QStringList& lines, qint64* rows) {
    if (run(db, lines, false, rows))
        return true;
    ADD_FAILURE() << "[" << form.toStdString() << "] did not run:\n"
                  << joined(lines).toStdString() << "\n-> " << m_lastError.toStdString();
    return false;
}

bool CorpusRunner::fails(const QString& form, Db db, const QStringList& lines, bool opened) {
    if (!run(db, lines, opened, nullptr))
        return true;
    ADD_FAILURE() << "[" << form.toStdString() << "] was expected to fail but ran:\n"
                  << joined(lines).toStdString();
    return false;
}

QString CorpusRunner::value(int column) const {
    if (!m_query.Active() || m_query.Eof() || column >= m_query.FieldCount())
        return QStringLiteral("<no row>");
    return m_query.Fields(column).AsString();
}

QString CorpusRunner::value(const QString& column) const {
    if (!m_query.Active() || m_query.Eof())
        return QStringLiteral("<no row>");
    return m_query.FieldByName(column).AsString();
}

QByteArray CorpusRunner::bytes(int column) const {
    if (!m_query.Active() || m_query.Eof() || column >= m_query.FieldCount())
        return {};
    return m_query.Fields(column).AsBytes();
}

QStringList CorpusRunner::rows(int column) {
    QStringList out;
    if (!m_query.Active())
        return out;
    while (!m_query.Eof()) {
        out << m_query.Fields(column).AsString();
        m_query.Next();
    }
    return out;
}

bool CorpusRunner::findRow(int column, const QString& text) {
    if (!m_query.Active())
        return false;
    for (; !m_query.Eof(); m_query.Next()) {
        if (m_query.Fields(column).AsString() == text)
            return true;
    }
    return false;
}

namespace {

Query openOwn(CorpusRunner::Db db, const QString& sql) {
    Query q;
    q.SetConnectionString(CorpusRunner::connection(db));
    q.SetText(sql);
    q.Open();
    return q;
}

} // namespace

QByteArray ReadBytes(CorpusRunner::Db db, const QString& sql) {
    const Query q = openOwn(db, sql);
    return q.Eof() ? QByteArray() : q.Fields(0).AsBytes();
}

QString ReadText(CorpusRunner::Db db, const QString& sql) {
    const Query q = openOwn(db, sql);
    return q.Eof() ? QStringLiteral("<no row>") : q.Fields(0).AsString();
}
