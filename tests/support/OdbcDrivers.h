#pragma once

#include <QString>

#include <gtest/gtest.h>

// An ODBC driver as the driver manager has it installed (odbcinst -q -d).
struct InstalledOdbcDriver {
    QString name;    // its section in odbcinst.ini ("FreeTDS")
    QString library; // the driver's library, as an absolute path
};

// The first installed driver whose name contains `part` (any case); empty
// fields when there is none or its library cannot be found.
[[nodiscard]] InstalledOdbcDriver FindOdbcDriver(const QString& part);

// Skips the test when the driver is missing; a build server must run it, so
// there (CI set) a missing driver fails it instead.
#define REQUIRE_ODBC_DRIVER(driver, what)                                                                    \
    do {                                                                                                     \
        if ((driver).library.isEmpty()) {                                                                    \
            if (qEnvironmentVariableIsSet("CI"))                                                             \
                FAIL() << what << " ODBC driver not installed (odbcinst -q -d lists none)";                  \
            GTEST_SKIP() << what << " ODBC driver not installed";                                            \
        }                                                                                                    \
    } while (false)
