#include "widgets/Dialogs.h"

#include "platform/TanorError.h"

#include <QApplication>
#include <QMessageBox>

namespace {

Dialogs::Handler* g_handler = nullptr;

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

bool present(const Dialogs::Box& box) {
    if (g_handler)
        return g_handler->show(box);
    QMessageBox mb(toQt(box.icon), box.caption, box.text,
                   box.kind == Dialogs::Kind::Question ? QMessageBox::Ok | QMessageBox::Cancel
                                                       : QMessageBox::Ok,
                   box.parent);
    // Texts with "\r" line breaks come from the stored messages; show them as lines.
    QString text = box.text;
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    mb.setText(text);
    return mb.exec() == QMessageBox::Ok;
}

QString appTitle() {
    return QCoreApplication::applicationName();
}

} // namespace

namespace Dialogs {

void Show(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    present({parent, Kind::Captioned, icon, caption, text});
}

bool Ask(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    return present({parent, Kind::Question, icon, caption, text});
}

void ShowPlain(QWidget* parent, const QString& text) {
    present({parent, Kind::Plain, Icon::None, appTitle(), text});
}

QString ErrorText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ShowError(QWidget* parent, const QString& text) {
    present({parent, Kind::Captioned, Icon::Error, appTitle(), ErrorText(text)});
}

void ShowError(QWidget* parent, const std::exception& error) {
    if (const auto* own = dynamic_cast<const TanorError*>(&error))
        ShowError(parent, own->text());
    else
        ShowError(parent, QString::fromLocal8Bit(error.what()));
}

Handler* SetHandler(Handler* handler) {
    Handler* old = g_handler;
    g_handler = handler;
    return old;
}

} // namespace Dialogs
