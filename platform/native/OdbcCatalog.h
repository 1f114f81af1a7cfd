#pragma once

#include <string>
#include <vector>

// The databases of a server, asked through ODBC for its catalogues (SQLTables
// with the catalogue wildcard), with UTF-16 text. No Qt here: this is the
// code that lists a real SQL Server on Windows, and it is compiled for
// Windows on every test run.
namespace OdbcCatalog {

struct Login {
    // Either a data source name (connected with user and password) ...
    std::u16string dataSource;
    std::u16string user;
    std::u16string password;
    // ... or, when the data source is empty, a whole driver connection string.
    std::u16string connectionString;
    int loginTimeoutSeconds = 5;
};

struct Listing {
    std::vector<std::u16string> names; // in the server's order; nameless catalogues left out
    std::u16string error;              // the driver's diagnostics, one per line; empty on success
};

// Connects, lists and disconnects. A failure part way keeps the names read
// before it and reports the driver's text; nothing is thrown.
[[nodiscard]] Listing ListDatabases(const Login& login);

} // namespace OdbcCatalog
