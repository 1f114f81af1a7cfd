#pragma once

#include "core/WindowContext.h"
#include <QDialog>

class QLineEdit;

// Asks for the map server group the castle siege editor works on, offering
// the context's (the one typed last), and hands it back (Group).
class TMapServerGroupForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString group READ Group)
public:
    TMapServerGroupForm(const WindowContext& context, QWidget* parent = nullptr);

    void OkClick();
    // The group taken; empty while none was.
    [[nodiscard]] const QString& Group() const { return m_taken; }

private:
    QLineEdit* m_group;
    WindowContext m_context;
    QString m_taken;
};

// The map server group as a number; false for an empty or non-numeric text.
[[nodiscard]] bool ParseMapServerGroup(const QString& text, int* group);
