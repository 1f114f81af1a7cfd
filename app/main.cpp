#include "app/MainUnit.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    QApplication::setQuitOnLastWindowClosed(true);
    TMainForm main;
    main.show();
    return QApplication::exec();
}
