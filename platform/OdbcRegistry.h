#pragma once

#include <QString>
#include <QStringList>

// The ODBC data source registry, through the ODBC installer API: on Windows
// the ODBC.INI registry key of the local machine, elsewhere unixODBC's
// odbc.ini (the file named by ODBCINI when that is set).
namespace OdbcRegistry {

// Value of `key` in the entry of data source `dsn`; `found` tells whether it
// was there. Never fails: an unreadable registry reads as missing.
[[nodiscard]] QString Read(const QString& dsn, const QString& key, bool* found = nullptr);

// Several values of the entry of `dsn`, each as Read gives it, reading each
// registry file at most once.
[[nodiscard]] QStringList ReadMany(const QString& dsn, const QStringList& keys);

// A number that changes whenever the registry may have changed since it was
// last asked (on this platform: either odbc.ini file, see FileWatch). Where
// that cannot be told cheaply every call gives a new number.
[[nodiscard]] quint64 Version();

// Writes one value into the entry of `dsn`, creating the entry when missing.
// Returns false (and writes nothing) when the registry cannot be written.
[[nodiscard]] bool Write(const QString& dsn, const QString& key, const QString& value);

// Lists `dsn` among the data sources with the given driver name.
[[nodiscard]] bool Register(const QString& dsn, const QString& driver);

// Removes the whole entry of `dsn`.
bool Remove(const QString& dsn);

// True when `name` can name a data source: 1 to 32 characters, none of them
// a control character or one of []{}(),;?*=!@\ (the driver manager's rule).
[[nodiscard]] bool IsDataSourceName(const QString& name);

// True when `driver` names the SQLite driver, which the tool serves with its
// own embedded backend instead of going through ODBC.
[[nodiscard]] bool IsEmbeddedDriver(const QString& driver);

} // namespace OdbcRegistry
