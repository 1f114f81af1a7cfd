#include "platform/Dialogs.h"

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
                   QApplication::activeWindow());
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

void Show(const QString& caption, const QString& text, Icon icon) {
    present({Kind::Captioned, icon, caption, text});
}

bool Ask(const QString& caption, const QString& text, Icon icon) {
    return present({Kind::Question, icon, caption, text});
}

void ShowPlain(const QString& text) {
    present({Kind::Plain, Icon::None, appTitle(), text});
}

QString ErrorText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ShowError(const QString& text) {
    present({Kind::Captioned, Icon::Error, appTitle(), ErrorText(text)});
}

void ShowError(const std::exception& error) {
    if (const auto* own = dynamic_cast<const TanorError*>(&error))
        ShowError(own->text());
    else
        ShowError(QString::fromLocal8Bit(error.what()));
}

Handler* SetHandler(Handler* handler) {
    Handler* old = g_handler;
    g_handler = handler;
    return old;
}

} // namespace Dialogs
