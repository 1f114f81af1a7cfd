#include "core/UtilitiesUnit.h"

#include "platform/AppPaths.h"
#include "platform/FileWatch.h"
#include "platform/IniFile.h"
#include "platform/OdbcRegistry.h"
#include "platform/ServerCatalogNative.h"
#include "platform/native/LocalServer.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <cmath>
#include <limits>

// ------------------------------------------------------------ settings

QString ReadSetting(const QString& section, const QString& key) {
    return IniFile::Read(AppPaths::SettingsFile(), section, key);
}

void WriteSetting(const QString& section, const QString& key, const QString& value) {
    IniFile::Write(AppPaths::SettingsFile(), section, key, value);
}

bool ParseSettingInt(const QString& text, int* value) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty())
        return false;
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    qint64 n = 0;
    if (base == 16) {
        // Hexadecimal fills all 32 bits: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        n = qint64(qint32(quint32(magnitude)));
    } else {
        if (magnitude > quint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0))
            return false;
        n = qint64(magnitude);
    }
    *value = int(negative ? -n : n);
    return true;
}

int ReadSettingInt(const QString& section, const QString& key) {
    int value = 0;
    if (!ParseSettingInt(ReadSetting(section, key), &value))
        return 0;
    return value;
}

void WriteSettingInt(const QString& section, const QString& key, int value) {
    WriteSetting(section, key, QString::number(value));
}

// ------------------------------------------------------------ connection strings

QString BuildConnectionString(const QString& key) {
    // Windows build the string before every statement: the one of each key
    // is kept until a settings file or odbc.ini may have changed.
    struct Built {
        QString file;
        quint64 generation = 0;
        QString text;
    };
    static QHash<QString, Built> built;
    const QString file = AppPaths::SettingsFile();
    Built& b = built[key];
    if (!b.text.isNull() && b.generation == FileWatch::Generation() && b.file == file)
        return b.text;
    const quint64 generation = FileWatch::Follow(file); // taken before the read
    // The three settings in one pass over the file.
    const QStringList v = IniFile::ReadMany(file, {{SettingsName::kConnection, key},
                                                   {SettingsName::kLogin, SettingsName::kLoginId},
                                                   {SettingsName::kLogin, SettingsName::kLoginPassword}});
    b.text = QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=") + v[0] +
             QStringLiteral(";uid=") + v[1] + QStringLiteral(";pwd=") + v[2];
    b.file = file;
    b.generation = generation;
    return b.text;
}

QString BuildConnectionString(DataSource source) {
    return BuildConnectionString(DataSourceKey(source));
}

QString CatalogueConnectionString() {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           QDir::toNativeSeparators(AppPaths::ExecutableDir() + QLatin1Char('/')) +
           QStringLiteral("TanorEditor.mdb;Persist Security Info=False");
}

QString LocalServerConnectionString() {
    return QStringLiteral("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
                          "Initial Catalog=master;Data Source=(local)");
}

// ------------------------------------------------------------ registry

namespace {

// Login timeout of the wizard's listing: a server that takes the connection
// and never answers is reported after it.
constexpr int kListingLoginTimeoutSeconds = 5;

// What the operator data source takes over from the master's entry besides
// the driver: the way to the server, as SQL Server's and FreeTDS's drivers
// name it.
const QStringList kServerKeys = {QStringLiteral("Server"),
                                 QStringLiteral("Servername"),
                                 QStringLiteral("Address"),
                                 QStringLiteral("Port"),
                                 QStringLiteral("TDS_Version"),
                                 QStringLiteral("ClientCharset"),
                                 QStringLiteral("Encrypt"),
                                 QStringLiteral("TrustServerCertificate"),
                                 QStringLiteral("Trusted_Connection")};

// Lists the data source under `driver` and writes its database; false when
// the entry cannot be written.
bool startOperatorEntry(const QString& driver, const QString& database) {
    const QString dsn = QString::fromLatin1(kOperatorDataSource);
    // Listing the data source first: the installer call rewrites the whole entry.
    (void)OdbcRegistry::Register(dsn, driver);
    if (!OdbcRegistry::Write(dsn, QStringLiteral("Database"), database))
        return false;
    (void)OdbcRegistry::Write(dsn, QStringLiteral("Driver"), driver);
    (void)OdbcRegistry::Write(dsn, QStringLiteral("LastUser"), QStringLiteral("Administrator"));
    return true;
}

void registerOnServerOf(const QString& master, const QString& database) {
    const QString dsn = QString::fromLatin1(kOperatorDataSource);
    const QStringList values =
        OdbcRegistry::ReadMany(master, QStringList{QStringLiteral("Driver")} + kServerKeys);
    if (values[0].isEmpty() || !startOperatorEntry(values[0], database))
        return;
    for (qsizetype i = 0; i < kServerKeys.size(); ++i) {
        if (!values[i + 1].isEmpty())
            (void)OdbcRegistry::Write(dsn, kServerKeys[i], values[i + 1]);
    }
    (void)OdbcRegistry::Write(dsn, QStringLiteral("Setup"), QStringLiteral("1"));
}

} // namespace

void RegisterOperatorDataSource(const QString& database) {
    const QString master = MasterDataSource();
    if (!master.isEmpty()) {
        if (OdbcRegistry::IsDataSourceName(master))
            registerOnServerOf(master, database);
        return;
    }
    const LocalServer::Entry entry = LocalServer::OperatorEntry(database.toStdString());
    if (!startOperatorEntry(QString::fromStdString(entry.driver), QString::fromStdString(entry.database)))
        return;
    const QString dsn = QString::fromLatin1(kOperatorDataSource);
    for (const auto& [key, value] : entry.values)
        (void)OdbcRegistry::Write(dsn, QString::fromStdString(key), QString::fromStdString(value));
    (void)OdbcRegistry::Write(dsn, QStringLiteral("Setup"), QStringLiteral("1"));
}

QString MasterDataSource() {
    return ReadSetting(SettingsName::kConnection, MasterDataSourceKey());
}

ServerCatalog::Listing ListServerDatabases() {
    ServerCatalog::Login login;
    login.loginTimeoutSeconds = kListingLoginTimeoutSeconds;
    const QString master = MasterDataSource();
    if (!master.isEmpty()) {
        if (!OdbcRegistry::IsDataSourceName(master)) {
            ServerCatalog::Listing refused;
            refused.error = QStringLiteral("The setting %1 of section %2 is not a data source name: %3")
                                .arg(MasterDataSourceKey(), SettingsName::kConnection, master);
            return refused;
        }
        login.dataSource = master;
        login.user = ReadSetting(SettingsName::kLogin, SettingsName::kLoginId);
        login.password = ReadSetting(SettingsName::kLogin, SettingsName::kLoginPassword);
        return ServerCatalog::ListDatabases(login);
    }
    return ServerCatalog::FromNative(LocalServer::ListDatabases(kListingLoginTimeoutSeconds));
}

int OperatorSetupMarker() {
    const QString dsn = QString::fromLatin1(kOperatorDataSource);
    bool found = false;
    const QString text = OdbcRegistry::Read(dsn, QStringLiteral("Setup"), &found);
    int value = 0;
    if (found && ParseSettingInt(text, &value))
        return value;
    (void)OdbcRegistry::Write(dsn, QStringLiteral("Setup"), QStringLiteral("0"));
    return 0;
}

namespace {
QString databaseNameOf(const QString& settingsKey) {
    const QString dsn = ReadSetting(SettingsName::kConnection, settingsKey);
    const QString database = OdbcRegistry::Read(dsn, QStringLiteral("Database"));
    if (OdbcRegistry::IsEmbeddedDriver(OdbcRegistry::Read(dsn, QStringLiteral("Driver"))) &&
        !database.isEmpty())
        return QFileInfo(database).completeBaseName();
    return database;
}
} // namespace

QString AccountDatabaseName() {
    return databaseNameOf(DataSourceKey(DataSource::Account));
}
QString GameDatabaseName() {
    return databaseNameOf(DataSourceKey(DataSource::TanorOnline));
}

// ------------------------------------------------------------ conversions

QString BytesToHex(const QByteArray& bytes) {
    // Straight into upper case: whole-database passes convert every column.
    static constexpr char digits[] = "0123456789ABCDEF";
    QString text(2 * bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QLatin1Char(digits[b >> 4]);
        *out++ = QLatin1Char(digits[b & 0x0F]);
    }
    return text;
}

namespace {
int hexDigit(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
} // namespace

QByteArray HexToBytes(const QString& text) {
    QByteArray out;
    out.reserve(text.size() / 2);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        out.append(char(high < 0 || low < 0 ? 0 : high * 16 + low));
    }
    return out;
}

int HexToInt(const QString& text) {
    static const QString digits = QStringLiteral("0123456789ABCDEF");
    quint32 value = 0;
    quint32 weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const qsizetype digit = digits.indexOf(text[i]);
        if (digit > 0)
            value += quint32(digit) * weight;
        weight *= 16;
    }
    return qint32(value);
}

int CellIndex(double x) {
    return int(std::trunc(x)) + 1;
}

QString Q(const QString& value) {
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

namespace {

bool plainName(QStringView name) {
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

} // namespace

bool IsPlainIdentifier(const QString& name) {
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        return plainName(QStringView(name).mid(1, name.size() - 2));
    return plainName(name);
}

QDateTime DateTimeOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate)
        return value.toDateTime();
    const QString text = value.toString();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss"}) {
        const QDateTime when = QDateTime::fromString(text, QLatin1String(format));
        if (when.isValid())
            return when;
    }
    return {};
}

QString DateTimeToSecond(const QVariant& value) {
    const QDateTime when = DateTimeOf(value);
    return when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : value.toString();
}
