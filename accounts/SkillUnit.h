#pragma once

#include "core/WindowContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The skills a character has learnt (its MagicList column), named through
// the skill catalogue. Opened for the context's account and character; the
// list is written back only by "Save".
class TSkillForm : public QDialog {
    Q_OBJECT
public:
    TSkillForm(const WindowContext& context, QWidget* parent = nullptr);

    void GetDataSkill();
    void ClassCharChange();
    void FileSkillChange();
    void AddClick();
    void DeleteClick();
    // "Reset Skills"
    void Button1Click();
    void SaveClick();

private:
    QString m_account;
    QString m_character;
    QLabel* m_acc;
    QLabel* m_chr;
    QComboBox* m_classChar;
    QComboBox* m_fileSkill;
    QPushButton* m_add;
    QListWidget* m_characterSkill;
};
