#include "app/MainUnit.h"
#include "core/AuditLog.h"
#include "platform/ConnectionPool.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const ConnectionPoolScope pool;
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    // The program ends only through its own exit commands: with the main
    // window hidden (an editor open, or the window in the tray) the last
    // visible window closing must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    AuditLog::Install();
    TMainForm main;
    // The window ends the program when it closes, also from the tray while
    // hidden (no visible window is left to close then).
    QObject::connect(&main, &TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.Auth2();
    main.show();
    return QApplication::exec();
}
