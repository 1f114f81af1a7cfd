#pragma once

#include <QGuiApplication>

// The wait cursor over every window while it lives: for work that holds the
// window thread with nothing else to show (a server that is slow to answer).
// Nests; each guard takes back only its own cursor.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
