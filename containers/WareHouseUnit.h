#pragma once

#include "containers/ContainerForm.h"

class QComboBox;
class QLabel;
class QLineEdit;

// The warehouse of one account (120 records, money and password) and, when
// the extra vaults are switched on, the item column of each of its vaults.
// Opened for the context's account; everything is loaded when the window is
// created.
class TWarehouseForm : public TContainerForm {
    Q_OBJECT

public:
    explicit TWarehouseForm(const WindowContext& context, QWidget* parent = nullptr);

    // Also what choosing "Original" runs again.
    void FormCreate();
    // The vault chooser: "Original" reloads the warehouse, a number loads
    // that vault; unsaved edits of the view left are dropped.
    void mVaultsChange();
    // Reset Warehouse: every cell free (written only by Save).
    void Button1Click();
    // Save: the warehouse row, or only the item column of the vault shown.
    void AddItemClick() override;

    // Shows vault `number` as if chosen in the vault list (nothing when the
    // list does not hold it).
    void ShowVault(const QString& number);
    // The vault shown; empty for the account's own warehouse.
    [[nodiscard]] const QString& Vault() const { return m_vault; }

private:
    [[nodiscard]] static bool vaultsEnabled();
    void loadVaultList();
    void loadWarehouseRow();
    void loadVault(const QString& number);
    void setView(const QString& vault);
    // Writes the view shown; whether a row changed, or nothing when money
    // or password do not fit their columns (said to the operator).
    [[nodiscard]] std::optional<bool> save() const;

    QString m_account;
    QString m_vault;
    QLabel* m_acc = nullptr;
    QLabel* m_vaultLabel = nullptr;
    QComboBox* m_vaults = nullptr;
    QLabel* m_lastTM = nullptr;
    QLineEdit* m_visualMoney = nullptr;
    QLineEdit* m_visualPassword = nullptr;
};
