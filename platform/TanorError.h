#pragma once

#include <QString>
#include <stdexcept>

// Base of every error the tool raises itself. The text is what the general
// error box shows, so it must read well to an operator.
class TanorError : public std::runtime_error {
public:
    explicit TanorError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    [[nodiscard]] const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};

// A failure reported by a database driver (or by the embedded server's
// dialect when it cannot serve a statement). Carries the driver's own text.
class DbError : public TanorError {
public:
    using TanorError::TanorError;
};

// The settings file could not be written.
class SettingsError : public TanorError {
public:
    using TanorError::TanorError;
};

// A value typed or stored in a form the tool cannot convert (a number that is
// not a number, a serial of the wrong length, ...).
class ConvertError : public TanorError {
public:
    using TanorError::TanorError;
};
