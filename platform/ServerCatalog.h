#pragma once

#include <QString>
#include <QStringList>

// The databases of a server, asked through ODBC for its catalogues (SQLTables
// with the catalogue wildcard). This goes straight to the driver manager: it
// is no statement, and the connection is not kept.
namespace ServerCatalog {

struct Login {
    // Either a data source name (connected with user and password) ...
    QString dataSource;
    QString user;
    QString password;
    // ... or, when the data source is empty, a whole driver connection string.
    QString connectionString;
    int loginTimeoutSeconds = 5;
};

struct Listing {
    QStringList names; // in the order the server gave them; nameless catalogues left out
    QString error;     // the driver's diagnostics, one per line; empty on success
};

// Connects, lists and disconnects. A failure part way keeps the names read
// before it and reports the driver's text; nothing is thrown.
[[nodiscard]] Listing ListDatabases(const Login& login);

} // namespace ServerCatalog
