#pragma once

#include <QString>

// The SQLite 3 ODBC driver standing in for SQL Server's behind unixODBC.

// The driver's library as the driver manager has it installed (odbcinst -q
// -d); empty when there is none.
[[nodiscard]] QString SqliteOdbcDriver();

// The driver's library, or empty after skipping the test (failing it on a
// build server, which must run these; a workstation may lack the driver).
// Call from SetUp and return when empty.
[[nodiscard]] QString SqliteOdbcDriverOrSkip();
