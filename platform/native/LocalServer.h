#pragma once

#include "platform/native/OdbcCatalog.h"

#include <string>
#include <utility>
#include <vector>

// The machine's own database server: the first-run wizard lists its
// databases when no master data source is set, and registers the operator
// data source on one of them. On Windows that is the local SQL Server
// (native/LocalServerWindows.cpp, no Qt, compiled for Windows on every test
// run); elsewhere the embedded demo server's folder stands in for it
// (LocalServerEmbedded.cpp).
namespace LocalServer {

// How a data source on `database` is registered: its driver, the value of
// Database, and the entry's other values in the order they are written.
struct Entry {
    std::string driver;
    std::string database;
    std::vector<std::pair<std::string, std::string>> values;
};
[[nodiscard]] Entry OperatorEntry(const std::string& database);

// Its databases, or the driver's text when it cannot be reached within the
// time-out.
[[nodiscard]] OdbcCatalog::Listing ListDatabases(int loginTimeoutSeconds);

} // namespace LocalServer
