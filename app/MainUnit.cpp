#include "app/MainUnit.h"

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vorn TanorEditor"));
    resize(193, 321);
}
