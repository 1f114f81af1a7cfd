// The main window left running on the demo server with the connected users
// window open: N ticks of the main window's counters and of the users
// window's reload (the timers' slots called directly, events processed after
// each), with the resident memory, the pooled connections and the open
// database files at the start and at the end. Nothing may grow with the
// number of ticks.
//
//   soak [ticks]            default 2000
#include "ReadyDemo.h"

#include "app/MainUnit.h"
#include "platform/ConnectionPool.h"
#include "platform/StatementJournal.h"
#include "reports/JoinUnit.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

int g_statements = 0;
int g_failed = 0;

void report(const char* when, int ticks) {
    std::printf("%-6s ticks %6d  RSS %7ld KiB  pooled connections %d  open database files %d  statements %d "
                "(failed %d)\n",
                when, ticks, ResidentKiB(), ConnectionPool::instance().openConnections(), OpenDatabaseFiles(),
                g_statements, g_failed);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    QApplication::setQuitOnLastWindowClosed(false);
    const int ticks = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    ReadyDemo demo;
    ReadyDemo::SignInAutomatically();
    TMainForm main;
    main.Auth2();
    if (!main.SignedIn()) {
        std::fprintf(stderr, "the sign-in failed\n");
        return 1;
    }
    main.show();
    (void)StatementJournal::AddListener([](const JournalEntry& e) {
        ++g_statements;
        g_failed += e.error.isEmpty() ? 0 : 1;
    });
    TJoinForm users(&main);
    users.show();
    auto tick = [&] {
        main.ServerInfoTimer();
        users.TimerTimer();
        QApplication::processEvents();
    };
    // A first stretch settles caches and lazily made objects.
    const int warmUp = ticks / 10;
    for (int i = 0; i < warmUp; ++i)
        tick();
    report("start", warmUp);
    QElapsedTimer timer;
    timer.start();
    for (int i = warmUp; i < ticks; ++i)
        tick();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    report("end", ticks);
    std::printf("%.0f ticks/s\n", (ticks - warmUp) / seconds);
    return 0;
}
