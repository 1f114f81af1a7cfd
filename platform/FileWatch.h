#pragma once

#include <QString>
#include <QStringList>

// Cheap change detection for the small files read before every statement
// (the settings file, odbc.ini), so that their parsed contents can be kept
// and still every edit - by this program or another - is seen by the next
// read.
//
// On Linux the folder of each file is watched with inotify: the kernel queues
// an event before the writing call returns, so an edit finished before a
// check is always reported, whatever the file's timestamps say. Each thread
// learns that events are waiting from memory the kernel writes when it
// queues one (see Doorbell in the source), so a check reads the event queue
// only after something happened in a watched folder; where that is not
// available, every check reads the queue without blocking. A file that is a
// symbolic link, or whose folder cannot be watched (missing folder, no
// inotify), is compared by its metadata instead (size, times, inode); as
// timestamps are coarse, a file that changed within the last two seconds
// counts as changed at every check until it has aged.
namespace FileWatch {

// A number that is different from the one returned before whenever `path`
// may have been written, created, replaced or removed since.
[[nodiscard]] quint64 Version(const QString& path);

// The same for several files at once (one look at the pending events).
// Versions come from one counter, so the newest of them grows whenever any
// of the files changes, and a set naming another file gives another number.
[[nodiscard]] quint64 Version(const QStringList& paths);

// How `path` is being followed (tests use it to cover both ways).
enum class Mode { Events, Metadata };
[[nodiscard]] Mode ModeOf(const QString& path);

// How a check finds out whether events are waiting: from the calling
// thread's doorbell, or by reading the queue every time. SetCheck(Read)
// turns the doorbell off (tests cover both); CurrentCheck() says what this
// thread uses (Read where the kernel refuses the doorbell).
enum class Check { Doorbell, Read };
void SetCheck(Check check);
[[nodiscard]] Check CurrentCheck();
// Reads of the event queue so far, by every thread.
[[nodiscard]] quint64 QueueReads();

} // namespace FileWatch
