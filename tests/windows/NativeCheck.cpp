// A console check of the Windows-only files, built with the MinGW-w64 cross
// compiler against the Windows ODBC libraries and run under Wine when Wine is
// installed (tools/scripts/windows-compile.sh). It needs no SQL Server: it
// checks what the driver manager answers without one.
#include "platform/native/LocalServer.h"
#include "platform/native/OdbcCatalog.h"
#include "platform/native/OdbcInstaller.h"

#include <cstdio>

namespace {

int failures = 0;

void expect(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

} // namespace

int main() {
    // The registry is read through the installer, and written machine-wide.
    expect(!OdbcInstaller::kRegistryIsFiles, "the registry is read through the installer");
    expect(OdbcInstaller::WriteScope() == OdbcInstaller::Scope::System, "entries are machine data sources");
    expect(!OdbcInstaller::Read("TanorNoSuchSource", "Driver"), "a missing entry reads as missing");

    // A driver that is not installed: the driver manager's text, no names.
    OdbcCatalog::Login login;
    login.connectionString = u"Driver={Tanor No Such Driver};Server=(local)";
    login.loginTimeoutSeconds = 1;
    const OdbcCatalog::Listing listing = OdbcCatalog::ListDatabases(login);
    expect(listing.names.empty(), "no names from a driver that is not there");
    expect(!listing.error.empty(), "the driver manager's text for a driver that is not there");

    const LocalServer::Entry entry = LocalServer::OperatorEntry("TanorAccounts");
    expect(entry.database == "TanorAccounts", "the local server's data source names the database");
    expect(entry.driver.size() > 12 &&
               entry.driver.compare(entry.driver.size() - 12, 12, "SQLSRV32.dll") == 0,
           "the local server's data source uses SQL Server's driver");

    std::printf("%s\n", failures == 0 ? "Windows check passed" : "Windows check failed");
    return failures == 0 ? 0 : 1;
}
