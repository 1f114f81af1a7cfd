#include "app/Application.h"

#include "widgets/MainIcons.h"

#include <QApplication>

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    QApplication::setWindowIcon(ApplicationIcon());
    // The program ends only through its own exit commands: with the main
    // window hidden (an editor open, or the window in the tray) the last
    // visible window closing must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}
