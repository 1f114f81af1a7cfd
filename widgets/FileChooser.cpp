#include "widgets/FileChooser.h"

#include <QFileDialog>

namespace FileChooser {

namespace {
Hook& hook() {
    static Hook h;
    return h;
}
} // namespace

QString SaveFile(QWidget* parent, const QString& caption, const QString& filter) {
    if (hook())
        return hook()(Mode::Save, caption, filter);
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

QString OpenFile(QWidget* parent, const QString& caption, const QString& filter) {
    if (hook())
        return hook()(Mode::Open, caption, filter);
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

Hook SetHook(Hook h) {
    std::swap(hook(), h);
    return h;
}

} // namespace FileChooser
