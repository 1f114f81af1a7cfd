#include "platform/native/LocalServer.h"

namespace LocalServer {

Entry OperatorEntry(const std::string& database) {
    // SQL Server's own driver, on the database by name.
    return {"C:\\windows\\System32\\SQLSRV32.dll",
            database,
            {{"Server", "(local)"}, {"Trusted_Connection", "Yes"}}};
}

OdbcCatalog::Listing ListDatabases(int loginTimeoutSeconds) {
    // The machine's own SQL Server, signed in as the Windows user.
    OdbcCatalog::Login login;
    login.connectionString = u"Driver={SQL Server};Server=(local);Database=master;Trusted_Connection=Yes";
    login.loginTimeoutSeconds = loginTimeoutSeconds;
    return OdbcCatalog::ListDatabases(login);
}

} // namespace LocalServer
