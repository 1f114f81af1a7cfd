#include "platform/FileWatch.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <mutex>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace {

// What the metadata check compares.
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0; // status change; equals modifiedNs where there is none
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const Stamp&) const = default;
};

// Timestamps of some file systems have a granularity of a second or two: an
// edit inside that window can leave size and times as they were.
constexpr qint64 kCoarseNs = 2'000'000'000;

Stamp stampOf(const QString& path) {
    Stamp s;
#ifdef Q_OS_LINUX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.size = st.st_size;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    s.inode = st.st_ino;
    s.device = st.st_dev;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
    s.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1'000'000;
#endif
    return s;
}

bool isRecent(const Stamp& s) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    return s.exists && now - std::max(s.modifiedNs, s.changedNs) < kCoarseNs;
}

struct Followed {
    FileWatch::Mode mode = FileWatch::Mode::Metadata;
    int watch = -1;  // Events: the folder's watch descriptor
    QByteArray name; // Events: the file's name in its folder
    quint64 version = 0;
    Stamp stamp;        // Metadata
    bool recent = true; // Metadata: changed too lately to trust the stamp
};

class Watcher {
public:
    static Watcher& instance() {
        static Watcher w;
        return w;
    }

    quint64 version(const QString* paths, qsizetype count) {
        const std::lock_guard lock(m_mutex);
        drain();
        quint64 newest = 0;
        for (qsizetype i = 0; i < count; ++i)
            newest = std::max(newest, check(paths[i]));
        return newest;
    }

    FileWatch::Mode modeOf(const QString& path) {
        const std::lock_guard lock(m_mutex);
        drain();
        (void)check(path);
        return m_files[path].mode;
    }

    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

private:
    Watcher() {
#ifdef Q_OS_LINUX
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
#endif
    }
    ~Watcher() {
#ifdef Q_OS_LINUX
        if (m_fd >= 0)
            ::close(m_fd);
#endif
    }

    quint64 check(const QString& path) {
        auto it = m_files.find(path);
        if (it == m_files.end()) {
            it = m_files.insert(path, Followed{});
            it->version = ++m_clock;
            follow(path, *it);
            return it->version;
        }
        Followed& f = *it;
        if (f.mode == FileWatch::Mode::Events && f.watch >= 0)
            return f.version;                    // drain() has counted every event
        if (f.mode == FileWatch::Mode::Events) { // replaced, or its folder went away
            f.version = ++m_clock;
            follow(path, f);
            return f.version;
        }
        const Stamp now = stampOf(path);
        if (now != f.stamp || f.recent) {
            f.version = ++m_clock;
            f.stamp = now;
            f.recent = isRecent(now);
            // A folder that was missing may be there now.
            if (now.exists)
                follow(path, f);
        }
        return f.version;
    }

    // Chooses how to follow `path` from now on.
    void follow(const QString& path, Followed& f) {
        f.mode = FileWatch::Mode::Metadata;
        f.watch = -1;
#ifdef Q_OS_LINUX
        const QByteArray local = QFile::encodeName(path);
        struct stat st {};
        // A link's target may live in a folder nobody watches.
        const bool link = ::lstat(local.constData(), &st) == 0 && S_ISLNK(st.st_mode);
        if (m_fd >= 0 && !link) {
            const qsizetype slash = local.lastIndexOf('/');
            const QByteArray folder = slash < 0    ? QByteArray(".")
                                      : slash == 0 ? QByteArray("/")
                                                   : local.left(slash);
            const int wd =
                inotify_add_watch(m_fd, folder.constData(),
                                  IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO |
                                      IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
            if (wd >= 0) {
                f.mode = FileWatch::Mode::Events;
                f.watch = wd;
                f.name = local.mid(slash + 1);
                return;
            }
        }
#endif
        f.stamp = stampOf(path);
        f.recent = isRecent(f.stamp);
    }

    // Takes every pending event and counts it against the files it names.
    void drain() {
#ifdef Q_OS_LINUX
        if (m_fd < 0)
            return;
        alignas(struct inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                return; // EAGAIN: nothing more pending
            for (ssize_t pos = 0; pos < n;) {
                const auto* ev = reinterpret_cast<const struct inotify_event*>(buffer + pos);
                pos += ssize_t(sizeof(struct inotify_event)) + ev->len;
                apply(*ev);
            }
        }
#endif
    }

#ifdef Q_OS_LINUX
    void apply(const struct inotify_event& ev) {
        const bool overflow = ev.mask & IN_Q_OVERFLOW;
        const bool folderGone = ev.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT);
        const QByteArray name = ev.len ? QByteArray(ev.name) : QByteArray();
        for (Followed& f : m_files) {
            if (f.mode != FileWatch::Mode::Events)
                continue;
            if (overflow || (f.watch == ev.wd && (folderGone || name.isEmpty() || name == f.name))) {
                f.version = ++m_clock;
                // Gone, or replaced (perhaps by a link): looked at afresh at
                // its next check.
                if (f.watch == ev.wd &&
                    (folderGone || (ev.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))))
                    f.watch = -1;
            }
        }
    }
#endif

    std::mutex m_mutex;
    QHash<QString, Followed> m_files;
    quint64 m_clock = 0; // versions come from one clock, so they are never reused
    int m_fd = -1;
};

} // namespace

namespace FileWatch {

quint64 Version(const QString& path) {
    return Watcher::instance().version(&path, 1);
}

quint64 Version(const QStringList& paths) {
    return Watcher::instance().version(paths.constData(), paths.size());
}

Mode ModeOf(const QString& path) {
    return Watcher::instance().modeOf(path);
}

} // namespace FileWatch
