#pragma once

#include "core/DataSource.h"
#include "platform/ServerCatalog.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Shared routines of the editor: the settings file,
// connection strings, the data source registry entries the tool keeps, the
// hexadecimal conversions of the item code.

// ---- settings file (the executable's name with ".ini", beside it)

// Sections and keys read or written in more than one place. The data source
// keys of section ODBCConnection come from DataSourceKey.
namespace SettingsName {
inline constexpr QLatin1String kConnection{"ODBCConnection"};
inline constexpr QLatin1String kLogin{"SQLConnection"}; // keys ID and Pass
inline constexpr QLatin1String kLoginId{"ID"};
inline constexpr QLatin1String kLoginPassword{"Pass"};
inline constexpr QLatin1String kHashing{"MD5Encryption"}; // key Enabled
inline constexpr QLatin1String kInternal{"Internal"};     // key Setup
inline constexpr QLatin1String kSetup{"Setup"};
inline constexpr QLatin1String kVersion{"Version"}; // section and key
inline constexpr QLatin1String kEnabled{"Enabled"};
} // namespace SettingsName

[[nodiscard]] QString ReadSetting(const QString& section, const QString& key);
// Throws SettingsError when the file cannot be written.
void WriteSetting(const QString& section, const QString& key, const QString& value);
// Decimal, or hexadecimal after "0x" or "$"; anything else (and a missing
// key) reads 0.
[[nodiscard]] int ReadSettingInt(const QString& section, const QString& key);
void WriteSettingInt(const QString& section, const QString& key, int value);

// Parses an integer the way settings are read; false when it is not one.
[[nodiscard]] bool ParseSettingInt(const QString& text, int* value);

// ---- connection strings

// "Provider=MSDASQL.1;Persist Security Info=False;Data Source=" + DSN of
// ODBCConnection/key + ";uid=" + SQLConnection/ID + ";pwd=" + SQLConnection/Pass
[[nodiscard]] QString BuildConnectionString(const QString& key);
[[nodiscard]] QString BuildConnectionString(DataSource source);
// The item catalogue beside the executable.
[[nodiscard]] QString CatalogueConnectionString();
// The master database of the local server (the wizard lists its databases).
[[nodiscard]] QString LocalServerConnectionString();

// ---- data source registry

inline constexpr const char* kOperatorDataSource = "VornMNG";

// Registers "VornMNG" on `database`: of the server behind MasterDataSource()
// when that is set (its driver and server taken over), else of the local
// server; silent on failure.
void RegisterOperatorDataSource(const QString& database);
// The Setup marker of "VornMNG"; a missing or unreadable value is written as
// 0 and read as 0.
[[nodiscard]] int OperatorSetupMarker();
// Database names behind AccountDNS and TanorOnlineDNS (for a data source on
// a file, the file's name without extension).
[[nodiscard]] QString AccountDatabaseName();
[[nodiscard]] QString GameDatabaseName();

// ---- the server the first-run wizard lists

// ODBCConnection/MasterDNS: a data source on the master database of a real
// server; empty when unset.
[[nodiscard]] QString MasterDataSource();
// The databases the wizard offers: the catalogues of the server behind
// MasterDataSource() when set (asked through ODBC with the SQL login of the
// settings), else those of the local server. On failure `error` holds the
// server's text and `names` what was read before it.
[[nodiscard]] ServerCatalog::Listing ListServerDatabases();

// ---- conversions

// Two upper-case hexadecimal digits per byte.
[[nodiscard]] QString BytesToHex(const QByteArray& bytes);
// Pairs of digits (either case) to bytes; a pair that is not hexadecimal
// gives 0, a trailing single digit is dropped.
[[nodiscard]] QByteArray HexToBytes(const QString& text);
// Upper-case hexadecimal text to a 32-bit value, wrapping; any other
// character (lower case included) counts as the digit 0.
[[nodiscard]] int HexToInt(const QString& text);
// The integer part of x (toward zero) plus one: 1-based cell of a coordinate.
[[nodiscard]] int CellIndex(double x);
// A date and time read from a column: a date value as it is, or a text in
// the server's form ("yyyy-MM-dd HH:mm:ss" with or without ".zzz", or with
// "T"); invalid when it is neither.
[[nodiscard]] QDateTime DateTimeOf(const QVariant& value);
// The same shown to the second ("yyyy-MM-dd HH:mm:ss"); anything that is not
// a date is shown as it stands.
[[nodiscard]] QString DateTimeToSecond(const QVariant& value);
// A text value for a statement: in single quotes, inner quotes doubled.
[[nodiscard]] QString Q(const QString& value);
// Letters, digits and underscores not starting with a digit, or such a name
// in square brackets: a table or column name from the settings that may
// stand unquoted in a statement.
[[nodiscard]] bool IsPlainIdentifier(const QString& name);
