#pragma once

#include "items/ItemConversion.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// Converts every stored item of the game database from 10-byte to 16-byte
// records: characters, warehouses and, when switched on, extra vaults.
class TItemConvertorForm : public QDialog {
    Q_OBJECT
public:
    explicit TItemConvertorForm(QWidget* parent = nullptr);

    // Shows the number of rows of each walk.
    void FormCreate();
    // Asks, then runs the whole conversion and closes the window.
    void ConvertClick();
    [[nodiscard]] bool Running() const { return m_running; }

public Q_SLOTS:
    // The window cannot be closed while a run goes on.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void rowRead(ItemConversion::Walk walk, int row);
    void rowDone(ItemConversion::Walk walk, int row);
    [[nodiscard]] QProgressBar* gaugeOf(ItemConversion::Walk walk) const;

    QLabel* m_warehouseTotal = nullptr; // Label7
    QLabel* m_characterTotal = nullptr; // Label8
    QLabel* m_vaultTotal = nullptr;     // Label17
    QLabel* m_inventoryCount = nullptr; // Label11
    QLabel* m_warehouseCount = nullptr; // Label13
    QLabel* m_vaultCount = nullptr;     // Label15
    QProgressBar* m_inventoryGauge = nullptr;
    QProgressBar* m_warehouseGauge = nullptr;
    QProgressBar* m_vaultGauge = nullptr;
    QPushButton* m_convert = nullptr;
    ItemConversion::Totals m_totals;
    bool m_running = false;
};
