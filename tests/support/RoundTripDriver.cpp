// An ODBC driver for tests and benchmarks that stands for a far-away server.
// It forwards every call to a real driver (the SQLite ODBC driver, named by
// the environment variable TANOR_FORWARD_DRIVER) and counts the calls that a
// server's driver would send over the network, waiting a set time for each.
//
// What counts as one round trip:
//   - SQLExecDirect and SQLExecute (SQLPrepare is deferred to the execute, as
//     the server's driver does by default);
//   - on a server cursor (static, keyset, dynamic) every fetch;
//   - on a default result (forward only) the first read of the answer only,
//     a fetch or SQLMoreResults: the server streams the whole answer of a
//     statement or batch, and later reads take what has already arrived;
//   - SQLEndTran, and every change of the autocommit attribute (the server's
//     driver sends SET IMPLICIT_TRANSACTIONS);
//   - a connect (counted apart).
// Reads are the round trips of statements beginning with SELECT; writes are
// the others and the transaction calls.
//
// It also serves what the stand-in lacks and the server has: a batch of
// statements separated by ";" runs one statement at a time, each answer
// reached through SQLMoreResults (a failing statement ends the batch);
// "SELECT TOP n ..." becomes "... LIMIT n" and a binary literal 0x.. X'..'.
//
// Tests drop the connection on purpose: after a set number of round trips
// every call fails with SQLSTATE 08S01, the server rolls back what the open
// connections had not committed, and those connections stay dead.
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <dlfcn.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

void* forwardLibrary() {
    static void* library = [] {
        const char* path = std::getenv("TANOR_FORWARD_DRIVER");
        return path != nullptr ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    }();
    return library;
}

void* lookup(const char* name) {
    void* library = forwardLibrary();
    return library != nullptr ? dlsym(library, name) : nullptr;
}

// The real driver's function of the same name.
#define REAL(name) (reinterpret_cast<decltype(&name)>(lookup(#name)))

struct Diagnostic {
    std::string state;
    std::string text;
};

struct ConnectionState {
    bool manualCommit = false;
    bool dead = false;
};

struct StatementState {
    SQLHDBC connection = nullptr;
    bool serverCursor = false;
    bool write = false;
    bool answerUnread = false;    // a default result whose answer was not read yet
    std::deque<std::string> rest; // the batch's statements not run yet
};

std::mutex guard;
std::unordered_map<SQLHDBC, ConnectionState> connections;
std::unordered_map<SQLHSTMT, StatementState> statements;
std::unordered_map<SQLHANDLE, Diagnostic> ownDiagnostics;

std::atomic<long long> readTrips{0};
std::atomic<long long> writeTrips{0};
std::atomic<long long> connectTrips{0};
std::atomic<long> delayMicros{0};
long failAfter = -1; // round trips left before the connection drops; -1: never
bool dropped = false;

SQLRETURN failOwn(SQLHANDLE handle, const char* state, const std::string& text) {
    std::lock_guard lock(guard);
    ownDiagnostics[handle] = {state, "[Tanor round-trip driver]" + text};
    return SQL_ERROR;
}

SQLRETURN linkFailure(SQLHANDLE handle) {
    return failOwn(handle, "08S01", "Communication link failure");
}

void clearOwn(SQLHANDLE handle) {
    std::lock_guard lock(guard);
    ownDiagnostics.erase(handle);
}

// The network drops: what was not committed is rolled back on the server,
// and every connection open now stays dead.
void dropLocked() {
    dropped = true;
    for (auto& [handle, state] : statements) {
        if (!connections[state.connection].dead)
            REAL(SQLFreeStmt)(handle, SQL_CLOSE);
    }
    for (auto& [handle, state] : connections) {
        if (state.dead)
            continue;
        state.dead = true;
        if (state.manualCommit)
            REAL(SQLEndTran)(SQL_HANDLE_DBC, handle, SQL_ROLLBACK);
    }
}

// Counts one round trip and waits for it; false when the link is down.
bool roundTrip(std::atomic<long long>& counter) {
    {
        std::lock_guard lock(guard);
        if (dropped)
            return false;
        if (failAfter == 0) {
            dropLocked();
            return false;
        }
        if (failAfter > 0)
            --failAfter;
    }
    ++counter;
    if (const long micros = delayMicros.load(); micros > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
    return true;
}

bool deadConnection(SQLHDBC connection) {
    std::lock_guard lock(guard);
    const auto it = connections.find(connection);
    return dropped || (it != connections.end() && it->second.dead);
}

bool deadStatement(SQLHSTMT statement) {
    SQLHDBC connection = nullptr;
    {
        std::lock_guard lock(guard);
        const auto it = statements.find(statement);
        connection = it != statements.end() ? it->second.connection : nullptr;
    }
    return deadConnection(connection);
}

StatementState& stateOf(SQLHSTMT statement) {
    std::lock_guard lock(guard);
    return statements[statement];
}

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool startsWithWord(const std::string& text, size_t at, const char* word) {
    const size_t n = std::strlen(word);
    if (text.size() < at + n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(text[at + i])) != word[i])
            return false;
    return text.size() == at + n || !std::isalnum(static_cast<unsigned char>(text[at + n]));
}

// The batch's statements, split at ";" outside quoted text.
std::vector<std::string> splitBatch(const std::string& batch) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    for (const char c : batch) {
        if (c == '\'')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            out.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    out.push_back(current);
    std::vector<std::string> kept;
    for (std::string& s : out) {
        size_t first = 0;
        while (first < s.size() && isSpace(s[first]))
            ++first;
        if (first < s.size())
            kept.push_back(s.substr(first));
    }
    return kept;
}

// The statement in the stand-in's own forms.
std::string forStandIn(const std::string& text) {
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'')
            quoted = !quoted;
        const bool wordStart = i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1]));
        if (!quoted && wordStart && c == '0' && i + 1 < text.size() &&
            (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            size_t end = i + 2;
            while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end])))
                ++end;
            out += "X'" + text.substr(i + 2, end - i - 2) + "'";
            i = end - 1;
            continue;
        }
        out += c;
    }
    // SELECT TOP n rest  ->  SELECT rest LIMIT n
    if (startsWithWord(out, 0, "SELECT")) {
        size_t at = 6;
        while (at < out.size() && isSpace(out[at]))
            ++at;
        if (startsWithWord(out, at, "TOP")) {
            size_t digits = at + 3;
            while (digits < out.size() && isSpace(out[digits]))
                ++digits;
            size_t end = digits;
            while (end < out.size() && std::isdigit(static_cast<unsigned char>(out[end])))
                ++end;
            size_t restStart = end;
            while (restStart < out.size() && isSpace(out[restStart]))
                ++restStart;
            out = "SELECT " + out.substr(restStart) + " LIMIT " + out.substr(digits, end - digits);
        }
    }
    return out;
}

std::string text(const SQLCHAR* value, SQLINTEGER length) {
    if (value == nullptr)
        return {};
    const char* chars = reinterpret_cast<const char*>(value);
    // The driver manager's length may count the terminating zero.
    return length == SQL_NTS ? std::string(chars) : std::string(chars, strnlen(chars, size_t(length)));
}

SQLRETURN runOne(SQLHSTMT statement, const std::string& sql) {
    std::string translated = forStandIn(sql);
    return REAL(SQLExecDirect)(statement, reinterpret_cast<SQLCHAR*>(translated.data()),
                               SQLINTEGER(translated.size()));
}

SQLRETURN copyDiagnostic(const Diagnostic& diag, SQLCHAR* state, SQLINTEGER* native, SQLCHAR* message,
                         SQLSMALLINT length, SQLSMALLINT* textLength) {
    if (state != nullptr)
        std::memcpy(state, diag.state.c_str(), 6);
    if (native != nullptr)
        *native = 0;
    if (message != nullptr && length > 0) {
        const size_t n = std::min(size_t(length) - 1, diag.text.size());
        std::memcpy(message, diag.text.data(), n);
        message[n] = 0;
    }
    if (textLength != nullptr)
        *textLength = SQLSMALLINT(diag.text.size());
    return SQL_SUCCESS;
}

bool ownDiagnostic(SQLHANDLE handle, Diagnostic* out) {
    std::lock_guard lock(guard);
    const auto it = ownDiagnostics.find(handle);
    if (it == ownDiagnostics.end())
        return false;
    *out = it->second;
    return true;
}

} // namespace

extern "C" {

// ---------------------------------------------------------------- control

// The wait per round trip, and after how many more round trips the link
// drops (-1: never). Setting it brings a dropped link back for new
// connections; the connections it dropped stay dead.
__attribute__((visibility("default"))) void TanorRoundTripSetup(long micros, long dropAfter) {
    std::lock_guard lock(guard);
    delayMicros = micros;
    failAfter = dropAfter;
    dropped = false;
}

__attribute__((visibility("default"))) void TanorRoundTripCounts(long long* reads, long long* writes,
                                                                 long long* connects) {
    *reads = readTrips;
    *writes = writeTrips;
    *connects = connectTrips;
}

// ---------------------------------------------------------------- handles

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    if (forwardLibrary() == nullptr)
        return SQL_ERROR;
    const SQLRETURN rc = REAL(SQLAllocHandle)(type, input, output);
    if (!SQL_SUCCEEDED(rc))
        return rc;
    std::lock_guard lock(guard);
    if (type == SQL_HANDLE_DBC)
        connections[*output] = {};
    else if (type == SQL_HANDLE_STMT)
        statements[*output].connection = input;
    return rc;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    {
        std::lock_guard lock(guard);
        ownDiagnostics.erase(handle);
        if (type == SQL_HANDLE_DBC)
            connections.erase(handle);
        else if (type == SQL_HANDLE_STMT)
            statements.erase(handle);
    }
    return REAL(SQLFreeHandle)(type, handle);
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT statement, SQLUSMALLINT option) {
    stateOf(statement).rest.clear();
    return REAL(SQLFreeStmt)(statement, option);
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT statement) {
    stateOf(statement).rest.clear();
    return REAL(SQLCloseCursor)(statement);
}

// ---------------------------------------------------------------- attributes

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) {
    return REAL(SQLSetEnvAttr)(env, attribute, value, length);
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length,
                                SQLINTEGER* out) {
    return REAL(SQLGetEnvAttr)(env, attribute, value, length, out);
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC connection, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER length) {
    clearOwn(connection);
    if (attribute == SQL_ATTR_AUTOCOMMIT) {
        if (deadConnection(connection))
            return linkFailure(connection);
        const bool manual = reinterpret_cast<SQLULEN>(value) == SQL_AUTOCOMMIT_OFF;
        bool changed = false;
        {
            std::lock_guard lock(guard);
            changed = connections[connection].manualCommit != manual;
        }
        if (changed && !roundTrip(writeTrips))
            return linkFailure(connection);
        const SQLRETURN rc = REAL(SQLSetConnectAttr)(connection, attribute, value, length);
        if (SQL_SUCCEEDED(rc)) {
            std::lock_guard lock(guard);
            connections[connection].manualCommit = manual;
        }
        return rc;
    }
    return REAL(SQLSetConnectAttr)(connection, attribute, value, length);
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC connection, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER length, SQLINTEGER* out) {
    return REAL(SQLGetConnectAttr)(connection, attribute, value, length, out);
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER length) {
    if (attribute == SQL_ATTR_CURSOR_TYPE)
        stateOf(statement).serverCursor = reinterpret_cast<SQLULEN>(value) != SQL_CURSOR_FORWARD_ONLY;
    return REAL(SQLSetStmtAttr)(statement, attribute, value, length);
}

SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT statement, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER length, SQLINTEGER* out) {
    return REAL(SQLGetStmtAttr)(statement, attribute, value, length, out);
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC connection, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT length,
                             SQLSMALLINT* out) {
    return REAL(SQLGetInfo)(connection, type, value, length, out);
}

// ---------------------------------------------------------------- connecting

SQLRETURN SQL_API SQLConnect(SQLHDBC connection, SQLCHAR* dsn, SQLSMALLINT dsnLength, SQLCHAR* user,
                             SQLSMALLINT userLength, SQLCHAR* password, SQLSMALLINT passwordLength) {
    clearOwn(connection);
    if (!roundTrip(connectTrips))
        return failOwn(connection, "08001", "Unable to reach the server");
    return REAL(SQLConnect)(connection, dsn, dsnLength, user, userLength, password, passwordLength);
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC connection, SQLHWND window, SQLCHAR* in, SQLSMALLINT inLength,
                                   SQLCHAR* out, SQLSMALLINT outLength, SQLSMALLINT* outTotal,
                                   SQLUSMALLINT completion) {
    clearOwn(connection);
    if (!roundTrip(connectTrips))
        return failOwn(connection, "08001", "Unable to reach the server");
    return REAL(SQLDriverConnect)(connection, window, in, inLength, out, outLength, outTotal, completion);
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC connection) {
    return REAL(SQLDisconnect)(connection);
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT completion) {
    if (type == SQL_HANDLE_DBC) {
        clearOwn(handle);
        if (deadConnection(handle) || !roundTrip(writeTrips))
            return linkFailure(handle);
    }
    return REAL(SQLEndTran)(type, handle, completion);
}

// ---------------------------------------------------------------- statements

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT statement, SQLCHAR* sql, SQLINTEGER length) {
    clearOwn(statement);
    if (deadStatement(statement))
        return linkFailure(statement);
    std::vector<std::string> parts = splitBatch(text(sql, length));
    if (parts.empty())
        return failOwn(statement, "42000", "The batch holds no statement");
    StatementState& state = stateOf(statement);
    state.write = !startsWithWord(parts.front(), 0, "SELECT");
    if (!roundTrip(state.write ? writeTrips : readTrips))
        return linkFailure(statement);
    state.answerUnread = !state.serverCursor;
    state.rest.assign(parts.begin() + 1, parts.end());
    const SQLRETURN rc = runOne(statement, parts.front());
    if (rc == SQL_ERROR)
        state.rest.clear();
    return rc;
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT statement, SQLCHAR* sql, SQLINTEGER length) {
    clearOwn(statement);
    if (deadStatement(statement))
        return linkFailure(statement);
    StatementState& state = stateOf(statement);
    const std::string given = text(sql, length);
    state.write = !startsWithWord(given, 0, "SELECT");
    std::string translated = forStandIn(given);
    return REAL(SQLPrepare)(statement, reinterpret_cast<SQLCHAR*>(translated.data()),
                            SQLINTEGER(translated.size()));
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT statement) {
    clearOwn(statement);
    StatementState& state = stateOf(statement);
    if (deadStatement(statement) || !roundTrip(state.write ? writeTrips : readTrips))
        return linkFailure(statement);
    state.answerUnread = !state.serverCursor;
    return REAL(SQLExecute)(statement);
}

// A read of the answer: one round trip on a server cursor, the first read
// only of a streamed answer.
bool readAnswer(SQLHSTMT statement) {
    StatementState& state = stateOf(statement);
    if (deadStatement(statement))
        return false;
    if (!state.serverCursor && !state.answerUnread)
        return true;
    state.answerUnread = false;
    return roundTrip(state.write ? writeTrips : readTrips);
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT statement) {
    clearOwn(statement);
    if (!readAnswer(statement))
        return linkFailure(statement);
    return REAL(SQLFetch)(statement);
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT statement, SQLSMALLINT orientation, SQLLEN offset) {
    clearOwn(statement);
    if (!readAnswer(statement))
        return linkFailure(statement);
    return REAL(SQLFetchScroll)(statement, orientation, offset);
}

SQLRETURN SQL_API SQLExtendedFetch(SQLHSTMT statement, SQLUSMALLINT orientation, SQLLEN offset,
                                   SQLULEN* count, SQLUSMALLINT* status) {
    clearOwn(statement);
    if (!readAnswer(statement))
        return linkFailure(statement);
    return REAL(SQLExtendedFetch)(statement, orientation, offset, count, status);
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT statement) {
    clearOwn(statement);
    if (!readAnswer(statement))
        return linkFailure(statement);
    StatementState& state = stateOf(statement);
    if (state.rest.empty())
        return REAL(SQLMoreResults)(statement);
    const std::string next = state.rest.front();
    state.rest.pop_front();
    REAL(SQLFreeStmt)(statement, SQL_CLOSE);
    const SQLRETURN rc = runOne(statement, next);
    if (rc == SQL_ERROR)
        state.rest.clear();
    return rc;
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT statement, SQLLEN* count) {
    return REAL(SQLRowCount)(statement, count);
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT statement, SQLSMALLINT* count) {
    return REAL(SQLNumResultCols)(statement, count);
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT statement, SQLUSMALLINT column, SQLCHAR* name, SQLSMALLINT length,
                                 SQLSMALLINT* nameLength, SQLSMALLINT* type, SQLULEN* size,
                                 SQLSMALLINT* digits, SQLSMALLINT* nullable) {
    return REAL(SQLDescribeCol)(statement, column, name, length, nameLength, type, size, digits, nullable);
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT statement, SQLUSMALLINT column, SQLUSMALLINT field,
                                  SQLPOINTER text, SQLSMALLINT length, SQLSMALLINT* textLength,
                                  SQLLEN* number) {
    return REAL(SQLColAttribute)(statement, column, field, text, length, textLength, number);
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT type, SQLPOINTER value,
                             SQLLEN length, SQLLEN* indicator) {
    if (deadStatement(statement))
        return linkFailure(statement);
    return REAL(SQLGetData)(statement, column, type, value, length, indicator);
}

SQLRETURN SQL_API SQLBindParameter(SQLHSTMT statement, SQLUSMALLINT number, SQLSMALLINT io,
                                   SQLSMALLINT valueType, SQLSMALLINT type, SQLULEN size, SQLSMALLINT digits,
                                   SQLPOINTER value, SQLLEN length, SQLLEN* indicator) {
    return REAL(SQLBindParameter)(statement, number, io, valueType, type, size, digits, value, length,
                                  indicator);
}

SQLRETURN SQL_API SQLNumParams(SQLHSTMT statement, SQLSMALLINT* count) {
    return REAL(SQLNumParams)(statement, count);
}

SQLRETURN SQL_API SQLCancel(SQLHSTMT statement) {
    return REAL(SQLCancel)(statement);
}

// ---------------------------------------------------------------- catalogue

// A catalogue call is a statement on the server: one round trip, its answer
// streamed.
bool catalogueCall(SQLHSTMT statement) {
    clearOwn(statement);
    StatementState& state = stateOf(statement);
    if (deadStatement(statement) || !roundTrip(readTrips))
        return false;
    state.write = false;
    state.answerUnread = !state.serverCursor;
    return true;
}

SQLRETURN SQL_API SQLTables(SQLHSTMT statement, SQLCHAR* catalogue, SQLSMALLINT catalogueLength,
                            SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                            SQLSMALLINT tableLength, SQLCHAR* type, SQLSMALLINT typeLength) {
    if (!catalogueCall(statement))
        return linkFailure(statement);
    return REAL(SQLTables)(statement, catalogue, catalogueLength, schema, schemaLength, table, tableLength,
                           type, typeLength);
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT statement, SQLCHAR* catalogue, SQLSMALLINT catalogueLength,
                             SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                             SQLSMALLINT tableLength, SQLCHAR* column, SQLSMALLINT columnLength) {
    if (!catalogueCall(statement))
        return linkFailure(statement);
    return REAL(SQLColumns)(statement, catalogue, catalogueLength, schema, schemaLength, table, tableLength,
                            column, columnLength);
}

SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT statement, SQLCHAR* catalogue, SQLSMALLINT catalogueLength,
                                 SQLCHAR* schema, SQLSMALLINT schemaLength, SQLCHAR* table,
                                 SQLSMALLINT tableLength) {
    if (!catalogueCall(statement))
        return linkFailure(statement);
    return REAL(SQLPrimaryKeys)(statement, catalogue, catalogueLength, schema, schemaLength, table,
                                tableLength);
}

SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT statement, SQLSMALLINT type) {
    if (!catalogueCall(statement))
        return linkFailure(statement);
    return REAL(SQLGetTypeInfo)(statement, type);
}

// ---------------------------------------------------------------- diagnostics

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT length,
                                SQLSMALLINT* textLength) {
    Diagnostic own;
    if (ownDiagnostic(handle, &own))
        return record == 1 ? copyDiagnostic(own, state, native, message, length, textLength) : SQL_NO_DATA;
    return REAL(SQLGetDiagRec)(type, handle, record, state, native, message, length, textLength);
}

SQLRETURN SQL_API SQLError(SQLHENV env, SQLHDBC connection, SQLHSTMT statement, SQLCHAR* state,
                           SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT length,
                           SQLSMALLINT* textLength) {
    const SQLHANDLE handle = statement != nullptr ? statement : connection;
    Diagnostic own;
    if (handle != nullptr && ownDiagnostic(handle, &own)) {
        clearOwn(handle);
        return copyDiagnostic(own, state, native, message, length, textLength);
    }
    return REAL(SQLError)(env, connection, statement, state, native, message, length, textLength);
}

} // extern "C"
