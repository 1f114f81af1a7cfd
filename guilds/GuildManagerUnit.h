#pragma once

#include <QDialog>

class MarkEditor;
class QLineEdit;

// Creates a guild with its master and mark. On success it hands the new
// guild's name back to its opener (CreatedGuild).
class TGuildManagerForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString createdGuild READ CreatedGuild)
public:
    explicit TGuildManagerForm(QWidget* parent = nullptr);

    // The guild created; empty while none was.
    [[nodiscard]] const QString& CreatedGuild() const { return m_created; }

    void CreateForm();
    void BitBtn3Click();
    void BitBtn2Click();

private:
    QString m_created;
    QLineEdit* m_guildName;
    QLineEdit* m_guildMaster;
    MarkEditor* m_mark;
};
