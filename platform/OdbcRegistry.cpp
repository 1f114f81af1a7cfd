#include "platform/OdbcRegistry.h"

#include "platform/FileWatch.h"
#include "platform/IniFile.h"
#include "platform/native/OdbcInstaller.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <cstdlib>

namespace {

// The two odbc.ini files, as the environment names them now. The registry is
// read before every statement, so the names are worked out again only when
// the variables change (tests and tools point ODBCINI at another file); a
// change raises the generation, since what was read came from other files.
struct Files {
    QByteArray userEnv, systemEnv;
    QString user, system;
    bool known = false;
};

bool sameAs(const QByteArray& kept, const char* now) {
    return now ? kept == now : kept.isNull();
}

const Files& currentFiles() {
    static Files files;
    const char* user = std::getenv("ODBCINI");
    const char* system = std::getenv("ODBCSYSINI");
    if (files.known && sameAs(files.userEnv, user) && sameAs(files.systemEnv, system))
        return files;
    files.userEnv = user ? QByteArray(user) : QByteArray();
    files.systemEnv = system ? QByteArray(system) : QByteArray();
    files.user =
        user && *user ? QString::fromLocal8Bit(user) : QDir::homePath() + QStringLiteral("/.odbc.ini");
    files.system = system && *system ? QString::fromLocal8Bit(system) + QStringLiteral("/odbc.ini")
                                     : QStringLiteral("/etc/odbc.ini");
    if (files.known)
        FileWatch::Invalidate();
    files.known = true;
    return files;
}

QString userFile() {
    return currentFiles().user;
}

QString systemFile() {
    return currentFiles().system;
}

// unixODBC writes user data sources into $ODBCINI. When the folder of that
// file is missing it quietly falls back to the system file, so make sure the
// folder is there before every write.
bool prepareUserFile() {
    if constexpr (!OdbcInstaller::kRegistryIsFiles)
        return true;
    const QByteArray env = qgetenv("ODBCINI");
    if (env.isEmpty())
        return true;
    const QFileInfo info(QString::fromLocal8Bit(env));
    return QDir().mkpath(info.absolutePath());
}

// After a write through the installer: what was kept from the file is stale.
void wrote() {
    if constexpr (OdbcInstaller::kRegistryIsFiles)
        FileWatch::Wrote(userFile());
}

} // namespace

namespace OdbcRegistry {

QString Read(const QString& dsn, const QString& key, bool* found) {
    if (found)
        *found = false;
    if (dsn.isEmpty() || key.isEmpty())
        return {};
    if constexpr (!OdbcInstaller::kRegistryIsFiles) {
        const std::optional<std::string> value = OdbcInstaller::Read(dsn.toStdString(), key.toStdString());
        if (!value)
            return {};
        if (found)
            *found = true;
        return QString::fromStdString(*value);
    }
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
}

QStringList ReadMany(const QString& dsn, const QStringList& keys) {
    if constexpr (!OdbcInstaller::kRegistryIsFiles) {
        QStringList values;
        for (const QString& key : keys)
            values << Read(dsn, key);
        return values;
    }
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
}

quint64 Version() {
    if constexpr (!OdbcInstaller::kRegistryIsFiles) {
        // The registry is no file to watch: read it every time.
        static quint64 calls = 0;
        return ++calls;
    }
    (void)currentFiles();
    return FileWatch::Generation();
}

bool Write(const QString& dsn, const QString& key, const QString& value) {
    if (dsn.isEmpty())
        return false;
    if (!prepareUserFile())
        return false;
    const bool written = OdbcInstaller::Write(dsn.toStdString(), key.toStdString(), value.toStdString());
    wrote();
    return written;
}

bool Register(const QString& dsn, const QString& driver) {
    if (!prepareUserFile())
        return false;
    const bool registered = OdbcInstaller::Register(dsn.toStdString(), driver.toStdString());
    wrote();
    return registered;
}

bool Remove(const QString& dsn) {
    const bool removed = OdbcInstaller::Remove(dsn.toStdString());
    wrote();
    return removed;
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
