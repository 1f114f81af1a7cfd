#pragma once

#include <optional>
#include <string>

// The data source registry through the ODBC installer API, with UTF-8 text:
// on Windows the ODBC.INI keys of the registry, with unixODBC the odbc.ini
// files. No Qt here: this file is also compiled for Windows on every test
// run, where it is the only way to the registry.
namespace OdbcInstaller {

enum class Scope { User, System, Both };

// Whether the registry is a pair of odbc.ini files that the tool reads and
// watches itself (unixODBC), or is read through the installer (Windows).
#ifdef _WIN32
inline constexpr bool kRegistryIsFiles = false;
#else
inline constexpr bool kRegistryIsFiles = true;
#endif

// Where the tool writes its entries: the machine's data sources on Windows
// (the game server's services read those), the user's file elsewhere.
[[nodiscard]] Scope WriteScope();

// The value of `key` in the entry of `dsn`; nothing when it is missing or
// cannot be read.
[[nodiscard]] std::optional<std::string> Read(const std::string& dsn, const std::string& key);

// Writes one value, creating the entry when missing.
[[nodiscard]] bool Write(const std::string& dsn, const std::string& key, const std::string& value);

// Lists `dsn` among the data sources with the given driver name.
[[nodiscard]] bool Register(const std::string& dsn, const std::string& driver);

// Removes the whole entry of `dsn`.
bool Remove(const std::string& dsn);

} // namespace OdbcInstaller
