#pragma once

#include <QDialog>

class MarkEditor;
class QLineEdit;

// Creates a guild with its master and mark. On success the new guild's name
// is left in AppState.CurrentGuild for the opener.
class TGuildManagerForm : public QDialog {
    Q_OBJECT
public:
    explicit TGuildManagerForm(QWidget* parent = nullptr);

    void CreateForm();
    void BitBtn3Click();
    void BitBtn2Click();

private:
    QLineEdit* m_guildName;
    QLineEdit* m_guildMaster;
    MarkEditor* m_mark;
};
