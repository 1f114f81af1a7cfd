#pragma once

#include "core/DataSource.h"
#include "platform/Query.h"

#include <QString>
#include <QStringList>

// The shell windows run every statement on a fresh query aimed at one data
// source key of ODBCConnection, so the connection string is built from the
// settings at that moment and no query is shared between commands (a timer
// tick in the middle of a command cannot change a query still in use).

// Opens a row-returning statement; the query stands on the first row.
[[nodiscard]] Query OpenOn(DataSource source, const QString& text);
// The same for a statement of several lines, joined by line breaks.
[[nodiscard]] Query OpenOn(DataSource source, const QStringList& lines);
// Executes a statement; returns the rows it affected (-1 when unknown).
qint64 ExecOn(DataSource source, const QString& text);
// Executes a statement of several lines, joined by line breaks.
qint64 ExecOn(DataSource source, const QStringList& lines);
// The first column of every row from the current one on, as text.
[[nodiscard]] QStringList FirstColumn(Query& query);
// The first column of every row of a row-returning statement.
[[nodiscard]] QStringList ListOn(DataSource source, const QString& text);
