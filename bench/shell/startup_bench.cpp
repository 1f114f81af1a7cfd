// Time from process start to the main window on the demo server: the
// program starts itself `runs` times (default 5) as the editor starts - a
// new process, the application object, the main window's start-up sequence
// with the sign-in answered, the window shown - and reports the median.
//
//   startup_bench [runs]
#include "ReadyDemo.h"

#include "app/MainUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// One start in this process; prints "shown" once the window is on screen.
int child(int argc, char** argv, const QString& dir) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    QApplication::setQuitOnLastWindowClosed(false);
    ReadyDemo demo(dir);
    ReadyDemo::SignInAutomatically();
    TMainForm main;
    main.Auth2();
    if (!main.SignedIn())
        return 2;
    main.show();
    QTimer::singleShot(0, &app, [] {
        std::printf("shown\n");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    ReadyDemo demo; // built once, before anything is timed
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), demo.dir()});
        if (!process.waitForReadyRead(60000) || !process.readLine().startsWith("shown")) {
            std::fprintf(stderr, "run %d: the main window did not show: %s\n", i + 1,
                         process.readAllStandardError().constData());
            return 1;
        }
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        process.waitForFinished(60000);
        std::printf("run %d: %.1f ms\n", i + 1, ms.back());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("median of %d: %.1f ms to the main window\n", runs, ms[ms.size() / 2]);
    return 0;
}
