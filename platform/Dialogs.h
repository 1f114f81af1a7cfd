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

// A box with its own caption, a sign and OK.
void Show(const QString& caption, const QString& text, Icon icon = Icon::Information);
// A box with OK and Cancel; true only for OK.
[[nodiscard]] bool Ask(const QString& caption, const QString& text, Icon icon = Icon::Warning);
// A box captioned with the application title.
void ShowPlain(const QString& text);
// The general error box: the error's text, with a full stop added when its
// last character sorts above ".", captioned with the application title.
void ShowError(const QString& text);
void ShowError(const std::exception& error);

// The text the general error box shows for an error text.
[[nodiscard]] QString ErrorText(const QString& text);

// Installs a handler (nullptr restores the real boxes); returns the old one.
Handler* SetHandler(Handler* handler);

} // namespace Dialogs
