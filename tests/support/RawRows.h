#pragma once

#include <QString>
#include <QStringList>
#include <sqlite3.h>

#include <stdexcept>

// Rows of a statement run straight on a database file, columns joined by "|".
inline QStringList rawRows(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.toStdString());
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    QStringList rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList cells;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            cells << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
        }
        rows << cells.join(QLatin1Char('|'));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}
