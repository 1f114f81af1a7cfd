#include "widgets/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace FileChooser {

namespace {
Hook& hook() {
    static Hook h;
    return h;
}
} // namespace

QString WithSuffix(const QString& file, const QString& filter) {
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty())
        return file;
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    const QRegularExpressionMatch suffix = pattern.match(filter);
    return suffix.hasMatch() ? file + QLatin1Char('.') + suffix.captured(1) : file;
}

QString SaveFile(QWidget* parent, const QString& caption, const QString& filter) {
    const QString file = hook() ? hook()(Mode::Save, caption, filter)
                                : QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    return WithSuffix(file, filter);
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
