// A small ODBC driver for tests: it signs in and answers the list of
// catalogues as its data source entry says, so the listing through the driver
// manager can be tried without a server. Entry values:
//   Catalogues=master,Ops,,Game   the names in order (an empty one answers NULL)
//   Login=sa/secret               the only user and password it lets in
//   FailAfter=2                   the fetch after that many rows fails
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Diagnostic {
    std::string state;
    std::string text;
};

struct Connection {
    std::string dsn;
    Diagnostic diag;
};

struct Statement {
    Connection* connection = nullptr;
    std::vector<std::string> names;
    size_t position = 0;
    long failAfter = -1;
    Diagnostic diag;
};

struct Environment {};

std::string entry(const std::string& dsn, const char* key) {
    char value[1024] = {};
    SQLGetPrivateProfileString(dsn.c_str(), key, "", value, int(sizeof value), "odbc.ini");
    return value;
}

std::string text(const SQLCHAR* value, SQLSMALLINT length) {
    if (value == nullptr)
        return {};
    const char* chars = reinterpret_cast<const char*>(value);
    return length == SQL_NTS ? std::string(chars) : std::string(chars, size_t(length));
}

SQLRETURN fail(Diagnostic& diag, const char* state, const std::string& message) {
    diag = {state, "[Tanor test driver]" + message};
    return SQL_ERROR;
}

Diagnostic* diagnosticOf(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_DBC)
        return &static_cast<Connection*>(handle)->diag;
    if (type == SQL_HANDLE_STMT)
        return &static_cast<Statement*>(handle)->diag;
    return nullptr;
}

} // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    switch (type) {
    case SQL_HANDLE_ENV:
        *output = new Environment;
        return SQL_SUCCESS;
    case SQL_HANDLE_DBC:
        *output = new Connection;
        return SQL_SUCCESS;
    case SQL_HANDLE_STMT: {
        auto* statement = new Statement;
        statement->connection = static_cast<Connection*>(input);
        *output = statement;
        return SQL_SUCCESS;
    }
    default:
        return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_ENV)
        delete static_cast<Environment*>(handle);
    else if (type == SQL_HANDLE_DBC)
        delete static_cast<Connection*>(handle);
    else if (type == SQL_HANDLE_STMT)
        delete static_cast<Statement*>(handle);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT, SQLUSMALLINT) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLConnect(SQLHDBC handle, SQLCHAR* dsn, SQLSMALLINT dsnLength, SQLCHAR* user,
                             SQLSMALLINT userLength, SQLCHAR* password, SQLSMALLINT passwordLength) {
    auto* connection = static_cast<Connection*>(handle);
    connection->dsn = text(dsn, dsnLength);
    const std::string login = entry(connection->dsn, "Login");
    const std::string given = text(user, userLength) + "/" + text(password, passwordLength);
    if (!login.empty() && login != given)
        return fail(connection->diag, "28000", "Login failed for user '" + text(user, userLength) + "'.");
    return SQL_SUCCESS;
}

// The driver manager asks which ODBC version the driver speaks (3: it reads
// diagnostics through SQLGetDiagRec).
SQLRETURN SQL_API SQLGetInfo(SQLHDBC, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT length,
                             SQLSMALLINT* textLength) {
    if (type != SQL_DRIVER_ODBC_VER)
        return SQL_ERROR;
    static const char version[] = "03.00";
    if (value != nullptr && length > 0)
        std::memcpy(value, version, std::min(size_t(length), sizeof version));
    if (textLength != nullptr)
        *textLength = SQLSMALLINT(sizeof version - 1);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLTables(SQLHSTMT handle, SQLCHAR* catalogue, SQLSMALLINT catalogueLength, SQLCHAR*,
                            SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    auto* statement = static_cast<Statement*>(handle);
    if (text(catalogue, catalogueLength) != SQL_ALL_CATALOGS)
        return fail(statement->diag, "HY000", "only the list of catalogues is served");
    const std::string dsn = statement->connection->dsn;
    const std::string names = entry(dsn, "Catalogues");
    for (size_t start = 0; start <= names.size();) {
        const size_t comma = std::min(names.find(',', start), names.size());
        statement->names.push_back(names.substr(start, comma - start));
        start = comma + 1;
    }
    const std::string failAfter = entry(dsn, "FailAfter");
    if (!failAfter.empty())
        statement->failAfter = std::stol(failAfter);
    statement->position = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT, SQLSMALLINT* columns) {
    *columns = 5; // TABLE_CAT, TABLE_SCHEM, TABLE_NAME, TABLE_TYPE, REMARKS
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT handle) {
    auto* statement = static_cast<Statement*>(handle);
    if (statement->failAfter >= 0 && long(statement->position) == statement->failAfter)
        return fail(statement->diag, "08S01", "Communication link failure");
    if (statement->position >= statement->names.size())
        return SQL_NO_DATA;
    ++statement->position;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT handle, SQLUSMALLINT column, SQLSMALLINT type, SQLPOINTER value,
                             SQLLEN length, SQLLEN* indicator) {
    auto* statement = static_cast<Statement*>(handle);
    if (column != 1 || statement->position == 0)
        return fail(statement->diag, "07009", "no such column");
    const std::string& name = statement->names[statement->position - 1];
    if (name.empty()) {
        *indicator = SQL_NULL_DATA;
        return SQL_SUCCESS;
    }
    // Plain ASCII names: a wide character per byte.
    if (type == SQL_C_WCHAR) {
        auto* out = static_cast<SQLWCHAR*>(value);
        const size_t room = size_t(length) / sizeof(SQLWCHAR) - 1;
        const size_t n = std::min(room, name.size());
        for (size_t i = 0; i < n; ++i)
            out[i] = SQLWCHAR(static_cast<unsigned char>(name[i]));
        out[n] = 0;
        *indicator = SQLLEN(name.size() * sizeof(SQLWCHAR));
        return SQL_SUCCESS;
    }
    auto* out = static_cast<char*>(value);
    const size_t n = std::min(size_t(length) - 1, name.size());
    std::memcpy(out, name.data(), n);
    out[n] = 0;
    *indicator = SQLLEN(name.size());
    return SQL_SUCCESS;
}

namespace {

SQLRETURN copyDiagnostic(const Diagnostic* diag, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                         SQLSMALLINT length, SQLSMALLINT* textLength) {
    if (diag == nullptr || diag->text.empty())
        return SQL_NO_DATA;
    if (state != nullptr)
        std::memcpy(state, diag->state.c_str(), 6);
    if (native != nullptr)
        *native = 0;
    if (message != nullptr && length > 0) {
        const size_t n = std::min(size_t(length) - 1, diag->text.size());
        std::memcpy(message, diag->text.data(), n);
        message[n] = 0;
    }
    if (textLength != nullptr)
        *textLength = SQLSMALLINT(diag->text.size());
    return SQL_SUCCESS;
}

} // namespace

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT length,
                                SQLSMALLINT* textLength) {
    if (record != 1)
        return SQL_NO_DATA;
    return copyDiagnostic(diagnosticOf(type, handle), state, native, message, length, textLength);
}

// The older call, which the driver manager uses for some functions: it
// hands the record over once.
SQLRETURN SQL_API SQLError(SQLHENV, SQLHDBC connection, SQLHSTMT statement, SQLCHAR* state,
                           SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT length,
                           SQLSMALLINT* textLength) {
    Diagnostic* diag = statement != nullptr    ? diagnosticOf(SQL_HANDLE_STMT, statement)
                       : connection != nullptr ? diagnosticOf(SQL_HANDLE_DBC, connection)
                                               : nullptr;
    const SQLRETURN rc = copyDiagnostic(diag, state, native, message, length, textLength);
    if (rc == SQL_SUCCESS)
        *diag = Diagnostic{};
    return rc;
}

} // extern "C"
