#include "platform/native/LocalServer.h"

#include "platform/AppPaths.h"
#include "platform/DataTarget.h"

namespace LocalServer {

Entry OperatorEntry(const std::string& database) {
    // Without a local SQL Server the embedded server stands in for it: its
    // databases are files, reached with the SQLite driver.
    const QString name = QString::fromStdString(database);
    QString file = DataTargets::LocalDatabaseFile(name);
    if (file.isEmpty())
        file = AppPaths::LocalServerDir() + QLatin1Char('/') + name + QStringLiteral(".db");
    return {"SQLite3",
            file.toStdString(),
            {{"Server", "(local)"}, {"Trusted_Connection", "Yes"}, {"Timeout", "5000"}}};
}

OdbcCatalog::Listing ListDatabases(int) {
    OdbcCatalog::Listing listing;
    for (const QString& name : DataTargets::ListLocalDatabases())
        listing.names.push_back(name.toStdU16String());
    return listing;
}

} // namespace LocalServer
