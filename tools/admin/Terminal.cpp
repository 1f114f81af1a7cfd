#include "Terminal.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <numeric>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace Terminal {

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
    g_interrupted = 1;
}
} // namespace

bool InputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

bool ErrorIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

QString Ask(const QString& prompt, bool echo) {
    std::fprintf(stderr, "%s", qPrintable(prompt));
    std::fflush(stderr);
    termios saved{};
    const bool hide = !echo && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hide) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fprintf(stderr, "\n");
    }
    return QString::fromStdString(line);
}

void CatchInterrupt() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() {
    return g_interrupted != 0;
}

void Interrupt() {
    g_interrupted = 1;
}

Progress::Progress(bool shown, const std::array<int, ContainerWalk::kKinds>& totals)
    : m_shown(shown), m_totals(totals) {
    m_clock.start();
}

bool Progress::row(ServerScan::Kind kind, int row, int pass) {
    m_done[std::size_t(kind)] = row;
    if (m_shown && m_clock.elapsed() - m_lastShown >= 250) {
        m_lastShown = m_clock.elapsed();
        const int done = std::accumulate(m_done.begin(), m_done.end(), 0);
        const int all = std::max(done, std::accumulate(m_totals.begin(), m_totals.end(), 0));
        const double seconds = std::max(0.001, double(m_lastShown) / 1000.0);
        const double rate = done / seconds;
        const int left = rate > 0 ? int((all - done) / rate) : 0;
        std::fprintf(stderr, "\r%s%s rows %d of %d, %.0f rows/s, %d s left   ",
                     pass > 0 ? qPrintable(QStringLiteral("pass %1: ").arg(pass)) : "",
                     qPrintable(ServerScan::KindName(kind)), done, all, rate, left);
        m_printed = true;
    }
    return !Interrupted();
}

void Progress::finish() {
    if (m_printed)
        std::fprintf(stderr, "\n");
    m_printed = false;
}

} // namespace Terminal
