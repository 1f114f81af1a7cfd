#pragma once

#include <QString>

#include <chrono>

// Change detection for the small files whose parsed contents the statement
// path keeps (the settings file, odbc.ini): every cache of such contents is
// keyed by one generation number, raised whenever a followed file may have
// changed.
//
// Each followed file, and its folder (so that a file replaced by a rename or
// created later is noticed), is watched with QFileSystemWatcher in the thread
// that owns the application object. Its reports arrive through that thread's
// event loop: an edit by another program is seen by the statements that start
// after the report was delivered. A statement never processes events itself
// to look for one (a statement runs inside slots, and delivering other
// events there would re-enter the windows); the windows' statements all start
// from the event loop, which delivers pending reports before the input that
// starts them. The program's own writes raise the generation at once.
//
// Where watching is refused (no event loop in the thread, a folder that does
// not exist, the system's watch limit), the file is polled instead: its
// metadata is compared at most once per kPollInterval, by the first
// statement after the interval. As timestamps can be coarse, a file changed
// within the last two seconds counts as changed at every poll.
//
// The statement path runs in one thread: only the generation is atomic, so
// that reading it costs one load.
namespace FileWatch {

inline constexpr std::chrono::milliseconds kPollInterval{250};

// The current generation. While some file is polled, also compares the
// polled files' metadata when kPollInterval has passed since the last time.
[[nodiscard]] quint64 Generation();

// Starts following `path` (nothing when already followed) and returns the
// generation to key what is read from it next. Follow before reading, so
// that an edit after the read raises the generation.
quint64 Follow(const QString& path);

// The program wrote `path` itself: raises the generation at once, and
// watches the file again (a replacing write ends the old watch).
void Wrote(const QString& path);

// Raises the generation: what the caches depend on changed in a way no
// watch reports (another file named by the environment, another folder).
void Invalidate();

// How `path` is followed; Unknown when it is not.
enum class Mode { Unknown, Watched, Polled };
[[nodiscard]] Mode ModeOf(const QString& path);

// Tests cover both ways: false polls every followed file from now on, true
// watches them again where watching is possible.
void SetWatching(bool allowed);

} // namespace FileWatch
