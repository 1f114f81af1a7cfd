#include "platform/ServerCatalog.h"

#include "platform/ServerCatalogNative.h"

namespace ServerCatalog {

Listing ListDatabases(const Login& login) {
    OdbcCatalog::Login native;
    native.dataSource = login.dataSource.toStdU16String();
    native.user = login.user.toStdU16String();
    native.password = login.password.toStdU16String();
    native.connectionString = login.connectionString.toStdU16String();
    native.loginTimeoutSeconds = login.loginTimeoutSeconds;
    return FromNative(OdbcCatalog::ListDatabases(native));
}

Listing FromNative(const OdbcCatalog::Listing& listing) {
    Listing out;
    for (const std::u16string& name : listing.names)
        out.names << QString::fromStdU16String(name);
    out.error = QString::fromStdU16String(listing.error);
    return out;
}

} // namespace ServerCatalog
