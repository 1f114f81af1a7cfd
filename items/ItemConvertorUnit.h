#pragma once

#include "items/ItemConversion.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// Converts every stored item of the game database from 10-byte to 16-byte
// records: characters, warehouses and, when switched on, extra vaults. The
// question before a run tells how many columns there are of each width; every
// original column is kept in an undo file; "Stop" ends a run after the row in
// hand.
class TItemConvertorForm : public QDialog, private ContainerWalk::Listener {
    Q_OBJECT
public:
    explicit TItemConvertorForm(QWidget* parent = nullptr);

    // Shows the number of rows of each walk.
    void FormCreate();
    // Asks, then runs the whole conversion and closes the window.
    void ConvertClick();
    // Ends the run after the row in hand.
    void StopClick();
    [[nodiscard]] bool Running() const { return m_running; }

public Q_SLOTS:
    // The window cannot be closed while a run goes on.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void rowRead(const ContainerWalk::Row& row) override;
    bool rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts& counts) override;
    [[nodiscard]] QProgressBar* gaugeOf(ContainerWalk::Kind kind) const;
    // Counts the columns of each width, writing nothing.
    [[nodiscard]] ItemConversion::Result countColumns();
    // `refused`: the lines naming the rows the server refused, if any.
    void finished(const ItemConversion::Result& result, const QString& undoFile, const QString& refused);

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
    QPushButton* m_stop = nullptr;
    ItemConversion::Totals m_totals;
    bool m_running = false;
    bool m_stopAsked = false;
};
