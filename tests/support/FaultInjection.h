#pragma once

#include <QString>
#include <QStringList>

#include <sys/resource.h>

#include <csignal>

// SQL for the embedded server that makes every UPDATE of `tables` fail from
// the `from`-th one on (counted from 0 over all of them), as a server refusing
// a statement would; only updates that succeed count. `ClearFaults` removes
// it again.
inline QString FaultFrom(int from, const QStringList& tables) {
    QString sql = QStringLiteral("CREATE TABLE fault (n INTEGER); INSERT INTO fault VALUES (0);\n");
    for (const QString& t : tables)
        sql += QStringLiteral(
                   "CREATE TRIGGER fault_%1 BEFORE UPDATE ON %1 WHEN (SELECT n FROM fault) >= %2 "
                   "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;\n"
                   "CREATE TRIGGER count_%1 AFTER UPDATE ON %1 BEGIN UPDATE fault SET n = n + 1; END;\n")
                   .arg(t)
                   .arg(from);
    return sql;
}

inline QString ClearFaults(const QStringList& tables) {
    QString sql = QStringLiteral("DROP TABLE IF EXISTS fault;");
    for (const QString& t : tables)
        sql += QStringLiteral("DROP TRIGGER IF EXISTS fault_%1; DROP TRIGGER IF EXISTS count_%1;").arg(t);
    return sql;
}

// Every write to a file of this process past byte `room` fails while one
// lives, as on a full disk. SQLite writes a transaction out at its COMMIT,
// so a COMMIT sent meanwhile fails itself after the statements before it
// succeeded. (The failing write raises SIGXFSZ, ignored meanwhile.)
class FullDisk {
public:
    explicit FullDisk(rlim_t room = 0) {
        getrlimit(RLIMIT_FSIZE, &m_was);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{room, m_was.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_was);
        std::signal(SIGXFSZ, m_signal);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit m_was{};
    void (*m_signal)(int) = nullptr;
};
