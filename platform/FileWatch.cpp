#include "platform/FileWatch.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <atomic>
#include <mutex>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <linux/io_uring.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

#ifdef Q_OS_LINUX
// Tells one thread, by a look at memory, whether events may have been queued
// on the inotify descriptor since the thread last read it.
//
// The thread keeps a poll for input on the descriptor armed in an io_uring
// of its own, set up with COOP_TASKRUN and TASKRUN_FLAG. When an event is
// queued, the kernel runs the poll's wake-up inside the call that queued it
// (the writing program's write, close or rename) and, before that call
// returns, sets IORING_SQ_TASKRUN in the ring's shared flags. The poll's
// completion is posted, and the flag cleared, by this thread itself on its
// next way out of the kernel. So once an edit has finished, this thread finds
// either the flag or the completion, and a look that finds neither proves the
// queue held nothing new: a check costs no system call, yet there is no
// moment in which a finished edit can be missed (a watcher thread could not
// promise that: it may not have run yet when the next statement looks).
class Doorbell {
public:
    explicit Doorbell(int watched) : m_watched(watched) {
        io_uring_params params{};
        params.flags = IORING_SETUP_COOP_TASKRUN | IORING_SETUP_TASKRUN_FLAG;
        m_ring = int(::syscall(__NR_io_uring_setup, 2, &params)); // refused by old kernels and sandboxes
        if (m_ring < 0 || !(params.features & IORING_FEAT_SINGLE_MMAP)) {
            close();
            return;
        }
        m_ringBytes = std::max<size_t>(params.sq_off.array + params.sq_entries * sizeof(unsigned),
                                       params.cq_off.cqes + params.cq_entries * sizeof(io_uring_cqe));
        m_sqeBytes = params.sq_entries * sizeof(io_uring_sqe);
        m_rings = map(m_ringBytes, IORING_OFF_SQ_RING);
        m_sqes = static_cast<io_uring_sqe*>(map(m_sqeBytes, IORING_OFF_SQES));
        if (!m_rings || !m_sqes) {
            close();
            return;
        }
        auto* base = static_cast<char*>(m_rings);
        m_sqFlags = reinterpret_cast<unsigned*>(base + params.sq_off.flags);
        m_sqTail = reinterpret_cast<unsigned*>(base + params.sq_off.tail);
        m_sqMask = *reinterpret_cast<unsigned*>(base + params.sq_off.ring_mask);
        m_sqArray = reinterpret_cast<unsigned*>(base + params.sq_off.array);
        m_cqHead = reinterpret_cast<unsigned*>(base + params.cq_off.head);
        m_cqTail = reinterpret_cast<unsigned*>(base + params.cq_off.tail);
        arm();
    }
    ~Doorbell() { close(); }
    Doorbell(const Doorbell&) = delete;
    Doorbell& operator=(const Doorbell&) = delete;

    [[nodiscard]] bool works() const { return m_ring >= 0; }

    // True when nothing can have been queued since the last rearm().
    [[nodiscard]] bool quiet() const {
        return m_armed && !(load(m_sqFlags) & IORING_SQ_TASKRUN) && load(m_cqTail) == *m_cqHead;
    }

    // Called after the caller has read the descriptor empty. That read was a
    // system call, on whose return the kernel posted the poll's completion if
    // it had fired; take it and arm the poll again. An event queued after
    // the read is caught either way: arming finds the descriptor readable and
    // completes at once, or the armed poll fires.
    void rearm() {
        if (!works())
            return;
        const unsigned tail = load(m_cqTail);
        if (tail != *m_cqHead) {
            m_armed = false; // the one request the ring carries is the poll
            std::atomic_ref<unsigned>(*m_cqHead).store(tail, std::memory_order_release);
        }
        if (!m_armed)
            arm();
    }

private:
    static unsigned load(unsigned* p) {
        return std::atomic_ref<unsigned>(*p).load(std::memory_order_acquire);
    }

    void* map(size_t bytes, off_t offset) const {
        void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, m_ring, offset);
        return p == MAP_FAILED ? nullptr : p;
    }

    void arm() {
        const unsigned tail = *m_sqTail;
        const unsigned index = tail & m_sqMask;
        io_uring_sqe& sqe = m_sqes[index];
        sqe = io_uring_sqe{};
        sqe.opcode = IORING_OP_POLL_ADD;
        sqe.fd = m_watched;
        sqe.poll32_events = POLLIN;
        m_sqArray[index] = index;
        std::atomic_ref<unsigned>(*m_sqTail).store(tail + 1, std::memory_order_release);
        if (::syscall(__NR_io_uring_enter, m_ring, 1, 0, 0, nullptr, 0) == 1)
            m_armed = true;
        else
            close(); // the request may still sit in the ring: give the ring up
    }

    void close() {
        if (m_sqes)
            ::munmap(m_sqes, m_sqeBytes);
        if (m_rings)
            ::munmap(m_rings, m_ringBytes);
        if (m_ring >= 0)
            ::close(m_ring);
        m_sqes = nullptr;
        m_rings = nullptr;
        m_ring = -1;
        m_armed = false;
    }

    int m_watched;
    int m_ring = -1;
    bool m_armed = false;
    void* m_rings = nullptr;
    size_t m_ringBytes = 0;
    io_uring_sqe* m_sqes = nullptr;
    size_t m_sqeBytes = 0;
    unsigned* m_sqFlags = nullptr;
    unsigned* m_sqTail = nullptr;
    unsigned m_sqMask = 0;
    unsigned* m_sqArray = nullptr;
    unsigned* m_cqHead = nullptr;
    unsigned* m_cqTail = nullptr;
};
#endif

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
        lookForEvents();
        quint64 newest = 0;
        for (qsizetype i = 0; i < count; ++i)
            newest = std::max(newest, check(paths[i]));
        return newest;
    }

    FileWatch::Mode modeOf(const QString& path) {
        const std::lock_guard lock(m_mutex);
        lookForEvents();
        (void)check(path);
        return m_files[path].mode;
    }

    void setCheck(FileWatch::Check check) {
        const std::lock_guard lock(m_mutex);
        m_readAlways = check == FileWatch::Check::Read;
    }

    FileWatch::Check check() {
        const std::lock_guard lock(m_mutex);
#ifdef Q_OS_LINUX
        if (!m_readAlways && m_fd >= 0 && doorbell().works())
            return FileWatch::Check::Doorbell;
#endif
        return FileWatch::Check::Read;
    }

    quint64 reads() {
        const std::lock_guard lock(m_mutex);
        return m_reads;
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

#ifdef Q_OS_LINUX
    // This thread's doorbell on the event queue, made at its first look.
    Doorbell& doorbell() const {
        thread_local Doorbell bell(m_fd);
        return bell;
    }
#endif

    // Takes the events queued since this thread last looked, reading the
    // queue only when its doorbell says something may have arrived.
    void lookForEvents() {
#ifdef Q_OS_LINUX
        if (m_fd < 0)
            return;
        Doorbell& bell = doorbell();
        if (!m_readAlways && bell.quiet())
            return;
        drain();
        bell.rearm();
#endif
    }

    // Takes every pending event and counts it against the files it names.
    void drain() {
#ifdef Q_OS_LINUX
        if (m_fd < 0)
            return;
        alignas(struct inotify_event) char buffer[4096];
        for (;;) {
            ++m_reads;
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
    bool m_readAlways = false;
    quint64 m_reads = 0;
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

void SetCheck(Check check) {
    Watcher::instance().setCheck(check);
}

Check CurrentCheck() {
    return Watcher::instance().check();
}

quint64 QueueReads() {
    return Watcher::instance().reads();
}

} // namespace FileWatch
