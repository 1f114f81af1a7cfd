#include "platform/FileWatch.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace {

// What a poll compares.
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    qint64 changedMs = 0; // metadata change, where the system keeps one
    bool operator==(const Stamp&) const = default;
};

// Timestamps of some file systems have a granularity of a second or two: an
// edit inside that window can leave size and times as they were.
constexpr qint64 kCoarseMs = 2000;

Stamp stampOf(const QString& path) {
    const QFileInfo info(path);
    Stamp s;
    if (!info.exists())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    s.changedMs = info.metadataChangeTime().toMSecsSinceEpoch();
    return s;
}

bool isRecent(const Stamp& s) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    return s.exists && now - std::max(s.modifiedMs, s.changedMs) < kCoarseMs;
}

struct Followed {
    FileWatch::Mode mode = FileWatch::Mode::Polled;
    QString folder;
    Stamp stamp;        // Polled
    bool recent = true; // Polled: changed too lately to trust the stamp
};

class Watcher {
public:
    static Watcher& instance() {
        static Watcher w;
        return w;
    }

    quint64 generation() {
        if (m_polled > 0)
            pollIfDue();
        return m_generation.load(std::memory_order_acquire);
    }

    quint64 follow(const QString& path) {
        if (!m_files.contains(path))
            start(path, m_files[path]);
        return generation();
    }

    void wrote(const QString& path) {
        raise();
        const auto it = m_files.find(path);
        if (it != m_files.end())
            start(path, *it);
    }

    void raise() { m_generation.fetch_add(1, std::memory_order_acq_rel); }

    FileWatch::Mode modeOf(const QString& path) const {
        const auto it = m_files.constFind(path);
        return it == m_files.cend() ? FileWatch::Mode::Unknown : it->mode;
    }

    void setWatching(bool allowed) {
        m_allowWatching = allowed;
        if (!allowed && m_watcher) {
            const QStringList watched = m_watcher->files() + m_watcher->directories();
            if (!watched.isEmpty())
                (void)m_watcher->removePaths(watched);
        }
        for (auto it = m_files.begin(); it != m_files.end(); ++it)
            start(it.key(), *it);
        raise();
    }

    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

private:
    Watcher() = default;
    ~Watcher() = default;

    void setMode(Followed& f, FileWatch::Mode mode) {
        if (f.mode == FileWatch::Mode::Polled)
            --m_polled;
        f.mode = mode;
        if (mode == FileWatch::Mode::Polled)
            ++m_polled;
    }

    // (Re)starts following `path`: watched where possible, else polled.
    void start(const QString& path, Followed& f) {
        if (f.folder.isEmpty()) {
            f.folder = QFileInfo(path).absolutePath();
            ++m_polled; // a new entry counts as polled until it is watched
        }
        if (m_allowWatching && watch(path, f.folder)) {
            setMode(f, FileWatch::Mode::Watched);
            return;
        }
        setMode(f, FileWatch::Mode::Polled);
        f.stamp = stampOf(path);
        f.recent = isRecent(f.stamp);
    }

    // Watches the folder (a file replaced by a rename, or created later)
    // and, when it exists, the file (edits in place).
    bool watch(const QString& path, const QString& folder) {
        QFileSystemWatcher* w = watcher();
        if (!w)
            return false;
        if (!w->directories().contains(folder) && !w->addPath(folder))
            return false;
        return watchFile(path);
    }

    // Watches the file that carries the name now: a watch that was taken
    // before the name was replaced would stay on the old file.
    bool watchFile(const QString& path) {
        if (m_watcher->files().contains(path))
            (void)m_watcher->removePath(path);
        return !QFileInfo::exists(path) || m_watcher->addPath(path);
    }

    // The watcher of the application's thread; none where reports could
    // never be delivered (no application object, another thread, no event
    // dispatcher).
    QFileSystemWatcher* watcher() {
        if (m_watcher)
            return m_watcher;
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread() ||
            !QAbstractEventDispatcher::instance(app->thread()))
            return nullptr;
        // Owned by the application object, so it goes before the event
        // dispatcher it relies on.
        m_watcher = new QFileSystemWatcher(app);
        QObject::connect(m_watcher, &QFileSystemWatcher::fileChanged, m_watcher,
                         [this](const QString& file) { changed(file); });
        QObject::connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_watcher,
                         [this](const QString& folder) { folderChanged(folder); });
        return m_watcher;
    }

    // A watched file was written, replaced or removed.
    void changed(const QString& file) {
        raise();
        if (m_watcher && !m_watcher->files().contains(file) && QFileInfo::exists(file))
            (void)m_watcher->addPath(file);
    }

    // An entry of a watched folder was added, removed or renamed: a followed
    // file may have appeared, been replaced or gone.
    void folderChanged(const QString& folder) {
        raise();
        if (!m_watcher)
            return;
        for (auto it = m_files.begin(); it != m_files.end(); ++it) {
            if (it->mode == FileWatch::Mode::Watched && it->folder == folder && !watchFile(it.key())) {
                setMode(*it, FileWatch::Mode::Polled);
                it->stamp = stampOf(it.key());
                it->recent = true;
            }
        }
    }

    void pollIfDue() {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastPoll < FileWatch::kPollInterval)
            return;
        m_lastPoll = now;
        bool changed = false;
        for (auto it = m_files.begin(); it != m_files.end(); ++it) {
            Followed& f = *it;
            if (f.mode != FileWatch::Mode::Polled)
                continue;
            const Stamp stamp = stampOf(it.key());
            if (stamp != f.stamp || f.recent) {
                changed = true;
                f.stamp = stamp;
                f.recent = isRecent(stamp);
            }
        }
        if (changed)
            raise();
    }

    std::atomic<quint64> m_generation{1};
    QHash<QString, Followed> m_files;
    int m_polled = 0; // followed files that are polled
    std::chrono::steady_clock::time_point m_lastPoll{};
    bool m_allowWatching = true;
    QPointer<QFileSystemWatcher> m_watcher;
};

} // namespace

namespace FileWatch {

quint64 Generation() {
    return Watcher::instance().generation();
}

quint64 Follow(const QString& path) {
    return Watcher::instance().follow(path);
}

void Wrote(const QString& path) {
    Watcher::instance().wrote(path);
}

void Invalidate() {
    Watcher::instance().raise();
}

Mode ModeOf(const QString& path) {
    return Watcher::instance().modeOf(path);
}

void SetWatching(bool allowed) {
    Watcher::instance().setWatching(allowed);
}

} // namespace FileWatch
