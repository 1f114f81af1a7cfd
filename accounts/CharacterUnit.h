#pragma once

#include "accounts/CharacterStore.h"
#include "core/ResetSettings.h"
#include "widgets/ModalOpener.h"

#include <QDialog>
#include <QMap>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

// Shows and changes one character (the context's account and character):
// level, points, statistics, money, position, PK state,
// class, status and quest, and its guild membership. Opens the skill, move
// and rename windows for it.
class TCharacterEditionForm : public QDialog {
    Q_OBJECT
    // The character's account and name when it closes: a move or rename
    // made in it changes them.
    Q_PROPERTY(QString account READ Account)
    Q_PROPERTY(QString character READ Character)
public:
    // `skillWindow`: how "Skills..." creates the skill list editor (given
    // the character editor as parent); empty, the button is disabled.
    TCharacterEditionForm(const WindowContext& context, ModalOpener::ContextFactory skillWindow = {},
                          QWidget* parent = nullptr);

    [[nodiscard]] const QString& Account() const { return m_account; }
    [[nodiscard]] const QString& Character() const { return m_character; }

    void FormCreate();
    // "Save".
    void ModifyButtonClick();
    // A quest item picked.
    void QuestRGClick(int index);
    void SkillButtonClick();
    void MovechrClick();
    void RenameClick();
    // "Close".
    void BitBtn1Click();

private:
    void checkAccount();
    void loadCharacter();
    void showGuild();
    void loadResets();
    void openWithNames(const ModalOpener::ContextFactory& create, const ModalOpener::Closed& closed = {});
    // After the move or rename window: reloads under the names it handed back.
    void followNames(const QString& account, const QString& character);
    QLineEdit* field(const QString& name) const;

    WindowContext m_context;
    ModalOpener::ContextFactory m_skillWindow;
    QString m_account;
    QString m_character;
    QLabel* m_accountLabel;
    QLabel* m_characterLabel;
    QMap<QString, QLineEdit*> m_fields; // by object name
    // What was loaded: a field still showing its stored text, or a list
    // showing nothing for a value it does not know, writes it back.
    CharacterStore::CharacterRecord m_record;
    QLineEdit* m_life;
    QLineEdit* m_mana;
    QLabel* m_resetLabel;
    QComboBox* m_mapNumber;
    QComboBox* m_pkLevel;
    RadioGroup* m_characterType;
    RadioGroup* m_ctlCode;
    RadioGroup* m_quest;
    QLabel* m_guild;
    QLabel* m_master;
    QLabel* m_levelMember;
    QPushButton* m_save;
    QPushButton* m_skills;
    QPushButton* m_move;
    QPushButton* m_rename;

    QString m_questPrefix = QStringLiteral("FFFF");

    bool m_resets = false;
    ResetSettings m_resetNames;
};
