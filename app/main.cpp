#include "app/Application.h"
#include "app/MainUnit.h"
#include "platform/ConnectionPool.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const ConnectionPoolScope pool;
    SetUpApplication();
    TMainForm main;
    // The window ends the program when it closes, also from the tray while
    // hidden (no visible window is left to close then).
    QObject::connect(&main, &TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.Auth2();
    main.show();
    return QApplication::exec();
}
