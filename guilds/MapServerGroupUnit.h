#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the map server group the castle siege editor works on and leaves
// it in AppState.MapServerGroup.
class TMapServerGroupForm : public QDialog {
    Q_OBJECT
public:
    explicit TMapServerGroupForm(QWidget* parent = nullptr);

    void OkClick();

private:
    QLineEdit* m_group;
};

// The map server group as a number; false for an empty or non-numeric text.
[[nodiscard]] bool ParseMapServerGroup(const QString& text, int* group);
