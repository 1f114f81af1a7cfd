#pragma once

#include "containers/ItemSearch.h"
#include "core/WindowContext.h"

#include <QDialog>
#include <QModelIndex>

#include <array>

class CheckFindingsModel;
class QAbstractItemModel;
class FoundItemsModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;

// "Find Items...": searches every container of the server. Three pages:
// items by criteria, serials held by more than one item (with erasing of the
// copies the operator ticks), and a check of the stored columns. Every pass
// runs in the core (ItemSearch, DuplicateSerials, ServerCheck); the window
// gathers the criteria, shows progress with Stop, and shows the results.
class TFindItemsForm : public QDialog {
    Q_OBJECT
public:
    // The editors a double-click opens get the context (its operator) with
    // the item's account and character.
    explicit TFindItemsForm(const WindowContext& context, QWidget* parent = nullptr);
    ~TFindItemsForm() override;

    // ---- handlers
    void ItemTypeChange();
    void FindClick();
    void FindDuplicatesClick();
    void EraseChosenClick();
    void RunCheckClick();
    void StopClick();
    // Opens the inventory or warehouse editor of a found row's account with
    // the item's cell selected.
    void ResultsDblClick(const QModelIndex& index);
    void DuplicatesDblClick(const QModelIndex& index);

    // The criteria as typed; throws ConvertError naming a bad field.
    [[nodiscard]] ItemSearch::Criteria Criteria() const;
    [[nodiscard]] bool Running() const { return m_running; }

protected:
    void reject() override;

private:
    WindowContext m_context;
    QWidget* buildFindPage();
    QWidget* buildDuplicatesPage();
    QWidget* buildCheckPage();
    QTableView* makeView(const char* name, QAbstractItemModel* model, QSortFilterProxyModel** proxy);
    // Runs one pass with the progress bar and Stop; `passes` scales the bar.
    template <class F> void runPass(int passes, F pass);
    void openEditorOf(const ServerScan::Found& found);

    QTabWidget* m_pages = nullptr;
    // find
    QComboBox* m_type = nullptr;
    QComboBox* m_item = nullptr;
    QLineEdit* m_nameContains = nullptr;
    QSpinBox* m_levelMin = nullptr;
    QSpinBox* m_levelMax = nullptr;
    std::array<QCheckBox*, 6> m_excellent{};
    QComboBox* m_excellentMode = nullptr;
    QComboBox* m_luck = nullptr;
    QComboBox* m_skill = nullptr;
    QComboBox* m_ancient = nullptr;
    QLineEdit* m_serial = nullptr;
    QCheckBox* m_unknownOnly = nullptr;
    std::array<QCheckBox*, 3> m_kinds{};
    FoundItemsModel* m_found = nullptr;
    QSortFilterProxyModel* m_foundProxy = nullptr;
    QLabel* m_findStatus = nullptr;
    // duplicates
    FoundItemsModel* m_duplicates = nullptr;
    QSortFilterProxyModel* m_duplicatesProxy = nullptr;
    QLabel* m_duplicatesStatus = nullptr;
    // check
    CheckFindingsModel* m_findings = nullptr;
    QLabel* m_checkSummary = nullptr;
    // the pass
    QProgressBar* m_progress = nullptr;
    QPushButton* m_stop = nullptr;
    QList<QPushButton*> m_passButtons;
    bool m_running = false;
    bool m_stopAsked = false;
};
