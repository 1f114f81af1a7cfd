#pragma once

#include <QDialog>

#include <array>

class MarkEditor;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

// Shows and changes one guild (AppState.CurrentGuild): mark, score and
// notice (written by "Save"), members and their ranks, and the union
// (written at once).
class TEditGuildForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditGuildForm(QWidget* parent = nullptr);

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
    QLineEdit* m_guildName;
    QLineEdit* m_score;
    QLineEdit* m_notice;
    MarkEditor* m_mark;
    QListWidget* m_members;
    QComboBox* m_memberLevel;
    QPushButton* m_kick;
    QPushButton* m_modify;
    std::array<QLabel*, 8> m_details{};
    QWidget* m_unionPanel = nullptr;
    QListWidget* m_unionList = nullptr;
};
