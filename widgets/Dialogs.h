#pragma once

#include <QString>

#include <exception>

class QWidget;

// The one seam through which the editor shows message boxes. Tests install a
// handler that records and answers them instead.
namespace Dialogs {

enum class Icon { None, Information, Warning, Error, Question };

enum class Kind {
    Captioned, // own caption, a sign, OK
    Question,  // own caption, a sign, OK and Cancel
    Plain,     // application title as caption, OK
};

struct Box {
    QWidget* parent; // the window that asks; the box centres on it
    Kind kind;
    Icon icon;
    QString caption;
    QString text;
};

class Handler {
public:
    virtual ~Handler() = default;
    // Returns true for OK.
    virtual bool show(const Box& box) = 0;
};

// Every box is parented to the window that asks for it. A box without a
// parent would be a top-level window of its own, and closing it while the
// main window is hidden would look to Qt like the last window closing.

// A box with its own caption, a sign and OK.
void Show(QWidget* parent, const QString& caption, const QString& text, Icon icon = Icon::Information);
// A box with OK and Cancel; true only for OK.
[[nodiscard]] bool Ask(QWidget* parent, const QString& caption, const QString& text,
                       Icon icon = Icon::Warning);
// A box captioned with the application title.
void ShowPlain(QWidget* parent, const QString& text);
// The general error box: the error's text, with a full stop added when its
// last character sorts above ".", captioned with the application title.
void ShowError(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const std::exception& error);

// The text the general error box shows for an error text.
[[nodiscard]] QString ErrorText(const QString& text);

// Installs a handler (nullptr restores the real boxes); returns the old one.
Handler* SetHandler(Handler* handler);

} // namespace Dialogs
