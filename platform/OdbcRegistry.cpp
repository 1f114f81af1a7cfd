#include "platform/OdbcRegistry.h"

#include "platform/FileWatch.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <atomic>

#include <odbcinst.h>
#include <sql.h>

namespace {

constexpr const char* kOdbcIni = "odbc.ini";

#ifdef Q_OS_WIN
constexpr UWORD kWriteMode = ODBC_SYSTEM_DSN;
#else
constexpr UWORD kWriteMode = ODBC_USER_DSN;

// The file named by an environment variable, worked out again only when the
// variable changes (the registry is read before every statement).
// Each caller passes a lambda of its own, so each keeps its own last value.
template <class Make> QString fromEnvironment(const char* name, Make make) {
    thread_local QByteArray lastEnv;
    thread_local QString lastFile;
    const QByteArray env = qgetenv(name);
    if (lastFile.isEmpty() || lastEnv != env) {
        lastEnv = env;
        lastFile = make(env);
    }
    return lastFile;
}

QString userFile() {
    return fromEnvironment("ODBCINI", [](const QByteArray& env) {
        return env.isEmpty() ? QDir::homePath() + QStringLiteral("/.odbc.ini") : QString::fromLocal8Bit(env);
    });
}

QString systemFile() {
    return fromEnvironment("ODBCSYSINI", [](const QByteArray& env) {
        return env.isEmpty() ? QStringLiteral("/etc/odbc.ini")
                             : QString::fromLocal8Bit(env) + QStringLiteral("/odbc.ini");
    });
}

// unixODBC writes user data sources into $ODBCINI. When the folder of that
// file is missing it quietly falls back to the system file, so make sure the
// folder is there before every write.
bool prepareUserFile() {
    const QByteArray env = qgetenv("ODBCINI");
    if (env.isEmpty())
        return true;
    const QFileInfo info(QString::fromLocal8Bit(env));
    return QDir().mkpath(info.absolutePath());
}
#endif

struct ModeScope {
    explicit ModeScope(UWORD mode) {
        SQLGetConfigMode(&saved);
        SQLSetConfigMode(mode);
    }
    ~ModeScope() { SQLSetConfigMode(saved); }
    ModeScope(const ModeScope&) = delete;
    ModeScope& operator=(const ModeScope&) = delete;
    UWORD saved = ODBC_BOTH_DSN;
};

} // namespace

namespace OdbcRegistry {

QString Read(const QString& dsn, const QString& key, bool* found) {
    if (found)
        *found = false;
    if (dsn.isEmpty() || key.isEmpty())
        return {};
#ifdef Q_OS_WIN
    ModeScope mode(ODBC_BOTH_DSN);
    // A marker default tells a missing value from an empty one.
    static const char* kMissing = "\x01missing\x01";
    QByteArray buffer(4096, '\0');
    const int n = SQLGetPrivateProfileString(dsn.toUtf8().constData(), key.toUtf8().constData(), kMissing,
                                             buffer.data(), int(buffer.size()), kOdbcIni);
    if (n < 0)
        return {};
    const QByteArray value(buffer.constData(), qstrnlen(buffer.constData(), buffer.size()));
    if (value == kMissing)
        return {};
    if (found)
        *found = true;
    return QString::fromUtf8(value);
#else
    // unixODBC caches its reads for a while and does not key the cache by the
    // ODBCINI file, so a read right after switching files (or after another
    // program edited them) may see old values. The files are plain INI files:
    // read them directly, the user's file first, as the driver manager does.
    for (const QString& file : {userFile(), systemFile()}) {
        bool here = false;
        const QString value = IniFile::Read(file, dsn, key, QString(), &here);
        if (here) {
            if (found)
                *found = true;
            return value;
        }
    }
    return {};
#endif
}

QStringList ReadMany(const QString& dsn, const QStringList& keys) {
#ifdef Q_OS_WIN
    QStringList values;
    for (const QString& key : keys)
        values << Read(dsn, key);
    return values;
#else
    QStringList values(keys.size());
    if (dsn.isEmpty())
        return values;
    QVector<IniFile::Entry> missing;
    QVector<qsizetype> where;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!keys[i].isEmpty()) {
            missing.push_back({dsn, keys[i]});
            where.push_back(i);
        }
    }
    // The user's file first, then the system file for what it lacks.
    for (const QString& file : {userFile(), systemFile()}) {
        if (missing.isEmpty())
            break;
        QVector<bool> here;
        const QStringList read = IniFile::ReadMany(file, missing, &here);
        QVector<IniFile::Entry> stillMissing;
        QVector<qsizetype> stillWhere;
        for (qsizetype j = 0; j < missing.size(); ++j) {
            if (here[j]) {
                values[where[j]] = read[j];
            } else {
                stillMissing.push_back(missing[j]);
                stillWhere.push_back(where[j]);
            }
        }
        missing = stillMissing;
        where = stillWhere;
    }
    return values;
#endif
}

quint64 Version() {
#ifdef Q_OS_WIN
    static std::atomic<quint64> calls{0};
    return ++calls;
#else
    thread_local QStringList files(2);
    QString user = userFile(), system = systemFile();
    if (files[0] != user || files[1] != system)
        files = QStringList{std::move(user), std::move(system)};
    return FileWatch::Version(files);
#endif
}

bool Write(const QString& dsn, const QString& key, const QString& value) {
    if (dsn.isEmpty())
        return false;
#ifndef Q_OS_WIN
    if (!prepareUserFile())
        return false;
#endif
    ModeScope mode(kWriteMode);
    return SQLWritePrivateProfileString(dsn.toUtf8().constData(), key.toUtf8().constData(),
                                        value.toUtf8().constData(), kOdbcIni);
}

bool Register(const QString& dsn, const QString& driver) {
#ifndef Q_OS_WIN
    if (!prepareUserFile())
        return false;
#endif
    ModeScope mode(kWriteMode);
    return SQLWriteDSNToIni(dsn.toUtf8().constData(), driver.toUtf8().constData());
}

bool Remove(const QString& dsn) {
    ModeScope mode(kWriteMode);
    return SQLRemoveDSNFromIni(dsn.toUtf8().constData());
}

bool IsDataSourceName(const QString& name) {
    // SQL_MAX_DSN_LENGTH
    constexpr qsizetype kLongest = 32;
    if (name.trimmed().isEmpty() || name.size() > kLongest)
        return false;
    static const QString forbidden = QStringLiteral("[]{}(),;?*=!@\\");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || forbidden.contains(c))
            return false;
    }
    return true;
}

bool IsEmbeddedDriver(const QString& driver) {
    const QString d = driver.trimmed();
    return d.compare(QLatin1String("SQLite3"), Qt::CaseInsensitive) == 0 ||
           d.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0;
}

} // namespace OdbcRegistry
