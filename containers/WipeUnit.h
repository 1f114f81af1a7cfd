#pragma once

#include "containers/WipeMatch.h"
#include "items/ContainerWalk.h"

#include <QDialog>

#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

// Erases chosen item records from every item container of the game database:
// all inventories, all warehouses and, when they are switched on, all extra
// vaults, through the container walk. Every original column is kept in an
// undo file before it is rewritten; "Preview" runs the same walk writing
// nothing, and "Stop" ends a walk after the row in hand.
class TWipeForm : public QDialog, private ContainerWalk::Listener {
    Q_OBJECT

public:
    explicit TWipeForm(QWidget* parent = nullptr);
    ~TWipeForm() override;

    void FormCreate();
    void ComboBox2Change();
    void BitBtn1Click();
    void Button1Click();
    void WipeFollowing1Click();
    void WipeFollowingSpecificSelection1Click();
    void WipeALLItems1Click();
    void PreviewClick();
    void PreviewGeneral1Click();
    void PreviewSpecific1Click();
    void StopClick();

    [[nodiscard]] bool Running() const { return m_walking; }

    // A walk cannot be left half done by closing the window under it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum Kind { Inventory, Warehouse, Vault, KindCount };

    // One line of the progress panel.
    struct Line {
        QLabel* done = nullptr;
        QLabel* all = nullptr;
        QProgressBar* gauge = nullptr;
    };

    class WalkScope;

    void buildWindow();
    QGroupBox* buildGeneral();
    QGroupBox* buildSpecific();
    QGroupBox* buildExcellent();
    QGroupBox* buildAncient();
    QGroupBox* buildProgress();

    void resetCounters();
    void showDeleted();
    void loadTotals();

    [[nodiscard]] QString generalQuestion() const;
    [[nodiscard]] MatchMaker generalMatch() const;
    [[nodiscard]] QString specificQuestion() const;
    [[nodiscard]] MatchMaker specificMatch() const;
    void runWalk(const QString& question, const MatchMaker& makeMatch);
    void runPreview(const MatchMaker& makeMatch);
    // Walks every container; returns the walker's figures.
    void walkAll(ContainerWalk::Walker& walker, const MatchMaker& makeMatch);
    void setWalking(bool walking);

    bool rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts& counts) override;

    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    std::array<QCheckBox*, 6> m_excellent{};
    QGroupBox* Anc = nullptr;
    QButtonGroup* m_ancient = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* WipeFollowing1 = nullptr;
    QAction* WipeFollowingSpecificSelection1 = nullptr;
    QAction* WipeALLItems1 = nullptr;
    QPushButton* Preview = nullptr;
    QPushButton* Stop = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* PreviewGeneral1 = nullptr;
    QAction* PreviewSpecific1 = nullptr;
    QLabel* m_deletedLabel = nullptr;
    std::array<Line, KindCount> m_lines{};

    ChosenItem m_item;
    int m_deleted = 0;
    bool m_walking = false;
    bool m_stopAsked = false;
    // Of the walk in hand: the rows done of the current kind, whether the row
    // before changed something, and the first rows a preview names.
    int m_writtenBefore = 0;
    QStringList m_firstRows;
};
