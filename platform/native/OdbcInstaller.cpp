#include "platform/native/OdbcInstaller.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <odbcinst.h>
#include <sql.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kOdbcIni = "odbc.ini";

// The installer reads and writes in a process-wide mode: set it for one
// call and put back what was there.
class ModeScope {
public:
    explicit ModeScope(UWORD mode) {
        SQLGetConfigMode(&m_saved);
        SQLSetConfigMode(mode);
    }
    ~ModeScope() { SQLSetConfigMode(m_saved); }
    ModeScope(const ModeScope&) = delete;
    ModeScope& operator=(const ModeScope&) = delete;

private:
    UWORD m_saved = ODBC_BOTH_DSN;
};

UWORD modeOf(OdbcInstaller::Scope scope) {
    switch (scope) {
    case OdbcInstaller::Scope::User:
        return ODBC_USER_DSN;
    case OdbcInstaller::Scope::System:
        return ODBC_SYSTEM_DSN;
    case OdbcInstaller::Scope::Both:
        break;
    }
    return ODBC_BOTH_DSN;
}

} // namespace

namespace OdbcInstaller {

Scope WriteScope() {
#ifdef _WIN32
    return Scope::System;
#else
    return Scope::User;
#endif
}

std::optional<std::string> Read(const std::string& dsn, const std::string& key) {
    if (dsn.empty() || key.empty())
        return std::nullopt;
    const ModeScope mode(modeOf(Scope::Both));
    // A default no value can hold tells a missing value from an empty one.
    static const char* const kMissing = "\x01missing\x01";
    std::vector<char> buffer(4096, '\0');
    const int n = SQLGetPrivateProfileString(dsn.c_str(), key.c_str(), kMissing, buffer.data(),
                                             static_cast<int>(buffer.size()), kOdbcIni);
    if (n < 0)
        return std::nullopt;
    std::string value(buffer.data(), strnlen(buffer.data(), buffer.size()));
    if (value == kMissing)
        return std::nullopt;
    return value;
}

bool Write(const std::string& dsn, const std::string& key, const std::string& value) {
    if (dsn.empty())
        return false;
    const ModeScope mode(modeOf(WriteScope()));
    return SQLWritePrivateProfileString(dsn.c_str(), key.c_str(), value.c_str(), kOdbcIni) != 0;
}

bool Register(const std::string& dsn, const std::string& driver) {
    const ModeScope mode(modeOf(WriteScope()));
    return SQLWriteDSNToIni(dsn.c_str(), driver.c_str()) != 0;
}

bool Remove(const std::string& dsn) {
    const ModeScope mode(modeOf(WriteScope()));
    return SQLRemoveDSNFromIni(dsn.c_str()) != 0;
}

} // namespace OdbcInstaller
