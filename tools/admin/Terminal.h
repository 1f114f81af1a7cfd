#pragma once

#include "containers/ServerScan.h"

#include <QElapsedTimer>
#include <QString>

#include <array>

// What the program asks and tells on a terminal: whether a stream is one,
// questions and a password without echo, progress lines on standard error,
// and Ctrl+C, which asks the walk in hand to stop after its current row.
namespace Terminal {

[[nodiscard]] bool InputIsTerminal();
[[nodiscard]] bool ErrorIsTerminal();

// A line typed after `prompt` (on standard error); echo off for passwords.
[[nodiscard]] QString Ask(const QString& prompt, bool echo = true);

// Ctrl+C sets a flag instead of ending the program.
void CatchInterrupt();
[[nodiscard]] bool Interrupted();
// For tests of the program's own stop: raise as if Ctrl+C had been pressed.
void Interrupt();

// Rows walked, rows per second and time left, at most a few times a second,
// on standard error when it is a terminal and output is not quiet.
class Progress {
public:
    Progress(bool shown, const std::array<int, ContainerWalk::kKinds>& totals);
    // Returns false once Ctrl+C was pressed.
    bool row(ServerScan::Kind kind, int row, int pass = 0);
    void finish();

private:
    bool m_shown;
    std::array<int, ContainerWalk::kKinds> m_totals;
    std::array<int, ContainerWalk::kKinds> m_done{};
    QElapsedTimer m_clock;
    qint64 m_lastShown = 0; // the first line after a quarter second, with a rate worth reading
    bool m_printed = false;
};

} // namespace Terminal
