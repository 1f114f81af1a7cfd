#pragma once

#include "containers/WipeMatch.h"
#include "platform/Query.h"

#include <QDialog>

#include <array>

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
// vaults. The walk streams the rows through one query and writes the rows it
// changed through a second one, so its memory does not grow with the database.
class TWipeForm : public QDialog {
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

    [[nodiscard]] bool walking() const { return m_walking; }

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

    // How one kind of container is read and rewritten.
    struct Walk {
        QString select;
        int records = 0;
        // The rewrite of the current row of the reading query.
        std::function<QString(const Query& row, const QString& literal)> update;
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
    [[nodiscard]] static bool vaultsEnabled();
    [[nodiscard]] Walk walkOf(Kind kind) const;

    void runWalk(const QString& question, const std::function<RecordMatch(int recordBytes)>& makeMatch);
    void walkContainer(Kind kind, int recordBytes, const RecordMatch& match);
    void setWalking(bool walking);

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
    QLabel* m_deletedLabel = nullptr;
    std::array<Line, KindCount> m_lines{};

    Query m_read;      // the rows being walked; stays open for a whole container kind
    Query m_write;     // rewrites, on a connection of its own
    Query m_catalogue; // item list and lookups

    ChosenItem m_item;
    int m_deleted = 0;
    int m_skipped = 0;
    bool m_walking = false;
};
