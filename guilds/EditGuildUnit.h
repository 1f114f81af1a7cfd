#pragma once

#include "core/WindowContext.h"
#include <QDialog>

#include <array>

class MarkEditor;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

// Shows and changes one guild (the context's guild): mark, score and
// notice (written by "Save"), members and their ranks, and the union
// (written at once).
class TEditGuildForm : public QDialog {
    Q_OBJECT
public:
    TEditGuildForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void ModifyClick();
    void GuildMemberClick();
    void MemberLevelChange(int item);
    void KickClick();
    void BitBtn3Click();
    void UnionAddClick();
    void UnionDeleteClick();
    void BitBtn2Click();
    void BitBtn1Click();

private:
    QWidget* buildMemberPanel();
    QWidget* buildUnionPanel();
    void showMember(const QString& member);
    // No member chosen: no details, no rank, nothing to kick.
    void clearMember();

    QString m_guild;
    int m_union = 0;
    QLineEdit* m_guildName = nullptr;
    QLineEdit* m_score = nullptr;
    QString m_loadedScore; // as shown when loaded
    QLineEdit* m_notice = nullptr;
    MarkEditor* m_mark = nullptr;
    QListWidget* m_members = nullptr;
    QComboBox* m_memberLevel = nullptr;
    QPushButton* m_kick = nullptr;
    QPushButton* m_modify = nullptr;
    std::array<QLabel*, 8> m_details{};
    QWidget* m_unionPanel = nullptr;
    QListWidget* m_unionList = nullptr;
    WindowContext m_context;
};
