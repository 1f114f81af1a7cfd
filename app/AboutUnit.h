#pragma once

#include <QDialog>

class QLabel;

// The about box: the product picture, name, version and credit lines.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void FormCreate();

private:
    QLabel* m_productName;
    QLabel* m_version;
    QLabel* m_copyright;
    QLabel* m_comments;
};
