#pragma once

#include "containers/ContainerForm.h"

class QLabel;
class QPushButton;
class QTabWidget;

// The equipment, inventory and personal shop of one character: the 108
// records of its Inventory column. Opened for the context's account and
// character; everything is loaded when the window is created.
class TInventoryForm : public TContainerForm {
    Q_OBJECT

public:
    explicit TInventoryForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    // Reset Inventory: every cell free (written only by Save).
    void Button1Click();
    // Save: the whole column in one statement.
    void AddItemClick() override;

private:
    QString m_account;
    QString m_character;
    QLabel* m_acc = nullptr;
    QLabel* m_chr = nullptr;
    QTabWidget* m_pages = nullptr;
};
