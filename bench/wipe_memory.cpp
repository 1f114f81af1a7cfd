// Peak memory of the window's general-selection wipe. `wipe_memory N`
// generates a server of N characters and N warehouses, then walks it in a
// child process so that the figure holds the walk alone:
//   VmHWM before the walk (window open) and after it, in KiB.
#include "WipeBenchServer.h"

#include "containers/WipeUnit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProcess>

#include <cstdio>

namespace {

int walk(const QString& dir) {
    WipeBenchServer::Use(dir);
    AcceptBoxes boxes;
    TWipeForm form;
    form.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(WipeBenchServer::kSpearType);
    const long before = PeakKiB();
    form.findChild<QAction*>(QStringLiteral("WipeFollowing1"))->trigger();
    const long after = PeakKiB();
    std::printf("erased %s, VmHWM before walk %ld KiB, after walk %ld KiB\n",
                qPrintable(form.findChild<QLabel*>(QStringLiteral("Deleted"))->text()), before, after);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--walk"))
        return walk(args[2]);
    const int rows = args.size() > 1 ? args[1].toInt() : 20000;
    WipeBenchServer server(rows);
    std::printf("%d characters + %d warehouses, %d planted\n", rows, rows, server.planted());
    std::fflush(stdout);
    return QProcess::execute(QApplication::applicationFilePath(), {QStringLiteral("--walk"), server.dir()});
}
