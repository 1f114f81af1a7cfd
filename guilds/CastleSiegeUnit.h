#pragma once

#include "core/WindowContext.h"
#include "guilds/CastleSiege.h"

#include <QDialog>

#include <vector>

class CastlePicture;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The castle siege state of one map server group (the context's mapServerGroup):
// dates, phase, owner, money and taxes (written by "Save"), the registered
// guilds and the gates and statues (written at once).
class TCastleSiegeForm : public QDialog {
    Q_OBJECT
public:
    TCastleSiegeForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void BitBtn3Click();
    void BitBtn4Click();
    void ListBox1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void ComboBox2CloseUp(int item);
    void ComboBox2KeyUp();
    void LabeledEdit1KeyUp();
    void GatesMouseDown(int x, int y);
    void StatuesMouseDown(int x, int y);
    void BitBtn5Click();
    void Button2Click();
    void BitBtn6Click();
    void Button1Click();
    void NPCLifeKeyDown();
    void SNPCLifeKeyUp();
    void NPCDefLVLSelect(int item);
    void NPCDefLVLKeyUp();
    void SNpcDeflvlSelect(int item);
    void SNpcDeflvlKeyUp();
    void SNPCReglvlCloseUp(int item);
    void SNPCReglvlKeyUp();
    void uplifeClick();
    void suplifeClick();

private:
    using NpcSlot = CastleSiege::NpcSlot;
    // The controls and slots of the gates or the statues page.
    struct NpcPage {
        explicit NpcPage(CastleGeometry::NpcKind k) : kind(k) {}
        CastleGeometry::NpcKind kind;
        CastlePicture* picture = nullptr;
        QWidget* fields = nullptr; // life, maximum, levels, raise: hidden for an absent one
        QLineEdit* life = nullptr;
        QLabel* maxLife = nullptr;
        QPushButton* raise = nullptr;
        QComboBox* defence = nullptr;
        QComboBox* regeneration = nullptr; // statues only
        QPushButton* buy = nullptr;
        QPushButton* remove = nullptr;
        std::vector<NpcSlot> slots;
        int selected = -1;
    };

    QWidget* buildCastlePanel();
    QWidget* buildGuildPanel();
    QWidget* buildNpcPage(NpcPage& page);
    void showCastle();
    [[nodiscard]] CastleSiege::NpcRef npcOf(const NpcPage& page) const;
    void showBars(NpcPage& page, int index);
    void showSelected(NpcPage& page);
    void selectAt(NpcPage& page, int x, int y);
    void buy(NpcPage& page);
    void remove(NpcPage& page);
    void lifeTyped(NpcPage& page);
    void levelChosen(NpcPage& page, bool regeneration, int item);
    void raiseLife(NpcPage& page);
    [[nodiscard]] QString selectedGuild() const;
    void clearGuildDetails();

    int m_group = 0;
    CastleGeometry::CastleLevels m_levels{};
    CastleSiege::StoredCastle m_stored; // as loaded (its gates and statues move to the pages)
    int m_giveUp = -1;                  // the "Give Up?:" item shown

    QWidget* m_body = nullptr;
    QLabel* m_mapServer = nullptr;
    QLabel* m_start = nullptr;
    QLabel* m_end = nullptr;
    QLabel* m_state1;
    QLabel* m_state2;
    QComboBox* m_taxShop = nullptr;
    QComboBox* m_taxChaos = nullptr;
    QComboBox* m_taxHunt = nullptr;
    QLineEdit* m_money = nullptr;
    QComboBox* m_owners = nullptr;
    QLabel* m_listCaption = nullptr;
    QListWidget* m_guilds = nullptr;
    QPushButton* m_addGuild = nullptr;
    QPushButton* m_deleteGuild = nullptr;
    QLabel* m_master = nullptr;
    QLabel* m_memberCount = nullptr;
    QWidget* m_giveUpRow = nullptr;
    QComboBox* m_giveUpList = nullptr;
    QWidget* m_marksRow = nullptr;
    QLineEdit* m_marks = nullptr;
    NpcPage m_gates{CastleGeometry::NpcKind::Gate};
    NpcPage m_statues{CastleGeometry::NpcKind::Statue};
    WindowContext m_context;
};
