#pragma once

#include "platform/ServerCatalog.h"
#include "platform/native/OdbcCatalog.h"

namespace ServerCatalog {

// A listing of the plain ODBC layer in Qt's text.
[[nodiscard]] Listing FromNative(const OdbcCatalog::Listing& listing);

} // namespace ServerCatalog
