#pragma once

#include <QWidget>

// The main window: start-up sequence, launcher of every editor.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};
