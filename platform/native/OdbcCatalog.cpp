#include "platform/native/OdbcCatalog.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the wide ODBC calls take UTF-16");

// A text as the wide calls take it, always handed over with its length:
// given as null-terminated (SQL_NTS), unixODBC's conversion for drivers
// without wide entry points reads past the terminator.
class Wide {
public:
    explicit Wide(const std::u16string& text) : m_chars(text.size() + 1, SQLWCHAR(0)) {
        std::transform(text.begin(), text.end(), m_chars.begin(), [](char16_t c) { return SQLWCHAR(c); });
        m_length = static_cast<SQLSMALLINT>(text.size());
    }
    [[nodiscard]] SQLWCHAR* data() { return m_chars.data(); }
    [[nodiscard]] SQLSMALLINT length() const { return m_length; }

private:
    std::vector<SQLWCHAR> m_chars;
    SQLSMALLINT m_length = 0;
};

std::u16string fromWide(const SQLWCHAR* text, size_t length) {
    std::u16string out(length, u'\0');
    std::transform(text, text + length, out.begin(), [](SQLWCHAR c) { return char16_t(c); });
    return out;
}

// Every diagnostic record of `handle`, one per line.
std::u16string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::u16string lines;
    std::vector<SQLWCHAR> message(1024);
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(type, handle, record, state, &native, message.data(),
                                      SQLSMALLINT(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && size_t(length) >= message.size()) {
            message.resize(size_t(length) + 1);
            rc = SQLGetDiagRecW(type, handle, record, state, &native, message.data(),
                                SQLSMALLINT(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        if (!lines.empty())
            lines += u'\n';
        lines +=
            fromWide(message.data(), std::min(size_t(std::max<SQLSMALLINT>(length, 0)), message.size() - 1));
    }
    return lines;
}

// One ODBC handle, freed when it goes.
class Handle {
public:
    Handle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &m_handle)))
            m_handle = SQL_NULL_HANDLE;
    }
    ~Handle() {
        if (m_handle != SQL_NULL_HANDLE)
            SQLFreeHandle(m_type, m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] SQLHANDLE get() const { return m_handle; }
    [[nodiscard]] bool valid() const { return m_handle != SQL_NULL_HANDLE; }
    [[nodiscard]] std::u16string error() const { return diagnostics(m_type, m_handle); }

private:
    SQLSMALLINT m_type;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// Disconnects a connection that was made.
class Connected {
public:
    explicit Connected(SQLHDBC dbc) : m_dbc(dbc) {}
    ~Connected() { SQLDisconnect(m_dbc); }
    Connected(const Connected&) = delete;
    Connected& operator=(const Connected&) = delete;

private:
    SQLHDBC m_dbc;
};

SQLRETURN connect(SQLHDBC dbc, const OdbcCatalog::Login& login) {
    if (!login.dataSource.empty()) {
        Wide dsn(login.dataSource), user(login.user), password(login.password);
        return SQLConnectW(dbc, dsn.data(), dsn.length(), user.data(), user.length(), password.data(),
                           password.length());
    }
    Wide text(login.connectionString);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    return SQLDriverConnectW(dbc, nullptr, text.data(), text.length(), out, SQLSMALLINT(std::size(out)),
                             &outLength, SQL_DRIVER_NOPROMPT);
}

} // namespace

namespace OdbcCatalog {

Listing ListDatabases(const Login& login) {
    Listing out;
    Handle env(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!env.valid()) {
        out.error = u"The ODBC driver manager could not be started";
        return out;
    }
    SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQLULEN(SQL_OV_ODBC3)), 0);
    Handle dbc(SQL_HANDLE_DBC, env.get());
    if (!dbc.valid()) {
        out.error = env.error();
        return out;
    }
    // A server that takes the connection and never answers would hold the
    // window for good without it.
    SQLSetConnectAttrW(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(SQLULEN(std::max(1, login.loginTimeoutSeconds))), 0);
    if (!SQL_SUCCEEDED(connect(dbc.get(), login))) {
        out.error = dbc.error();
        return out;
    }
    Connected connected(dbc.get());
    Handle stmt(SQL_HANDLE_STMT, dbc.get());
    if (!stmt.valid()) {
        out.error = dbc.error();
        return out;
    }
    // The catalogue wildcard with empty schema and table asks for the list of
    // catalogues alone.
    Wide all(u"" SQL_ALL_CATALOGS), none{std::u16string()};
    if (!SQL_SUCCEEDED(SQLTablesW(stmt.get(), all.data(), all.length(), none.data(), 0, none.data(), 0,
                                  none.data(), 0))) {
        out.error = stmt.error();
        return out;
    }
    std::vector<SQLWCHAR> name(256);
    for (;;) {
        const SQLRETURN fetched = SQLFetch(stmt.get());
        if (fetched == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(fetched)) {
            out.error = stmt.error();
            break;
        }
        SQLLEN length = 0;
        const SQLRETURN got = SQLGetData(stmt.get(), 1, SQL_C_WCHAR, name.data(),
                                         SQLLEN(name.size() * sizeof(SQLWCHAR)), &length);
        if (!SQL_SUCCEEDED(got)) {
            out.error = stmt.error();
            break;
        }
        // SQLite's driver, for one, answers with a single catalogue without a name.
        if (length == SQL_NULL_DATA || length <= 0)
            continue;
        const size_t chars = std::min(size_t(length) / sizeof(SQLWCHAR), name.size() - 1);
        out.names.push_back(fromWide(name.data(), chars));
    }
    return out;
}

} // namespace OdbcCatalog
