#include "accounts/SkillUnit.h"

#include "accounts/MagicList.h"
#include "accounts/SkillStore.h"
#include "items/Catalogue.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kAllSkills = QStringLiteral("All Skills");

} // namespace

TSkillForm::TSkillForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_account(context.account), m_character(context.character) {
    setObjectName(QStringLiteral("SkillForm"));
    setWindowTitle(QStringLiteral("Edit Skills..."));

    auto* details = new QGroupBox(QStringLiteral("Details"), this);
    m_acc = new QLabel(details);
    m_acc->setObjectName(QStringLiteral("ACC"));
    m_chr = new QLabel(details);
    m_chr->setObjectName(QStringLiteral("CHR"));
    auto* detailRows = new QFormLayout(details);
    detailRows->addRow(QStringLiteral("Account:"), m_acc);
    detailRows->addRow(QStringLiteral("Character:"), m_chr);

    auto* settings = new QGroupBox(QStringLiteral("Skill Settings"), this);
    m_classChar = new QComboBox(settings);
    m_classChar->setObjectName(QStringLiteral("ClassChar"));
    m_fileSkill = new QComboBox(settings);
    m_fileSkill->setObjectName(QStringLiteral("FileSkill"));
    m_add = NamedButton(QStringLiteral("Add"), QStringLiteral("Add"), settings);
    auto* remove = NamedButton(QStringLiteral("Delete"), QStringLiteral("Delete"), settings);
    auto* reset = NamedButton(QStringLiteral("Reset Skills"), QStringLiteral("Button1"), settings);
    auto* settingRows = new QFormLayout;
    settingRows->addRow(QStringLiteral("Character Type:"), m_classChar);
    settingRows->addRow(QStringLiteral("Skill:"), m_fileSkill);
    auto* settingButtons = new QHBoxLayout;
    settingButtons->addWidget(m_add);
    settingButtons->addWidget(remove);
    settingButtons->addWidget(reset);
    auto* settingColumn = new QVBoxLayout(settings);
    settingColumn->addLayout(settingRows);
    settingColumn->addLayout(settingButtons);

    auto* current = new QGroupBox(QStringLiteral("Current Skills"), this);
    m_characterSkill = new QListWidget(current);
    m_characterSkill->setObjectName(QStringLiteral("CharacterSkill"));
    auto* currentColumn = new QVBoxLayout(current);
    currentColumn->addWidget(m_characterSkill);

    auto* save = NamedButton(QStringLiteral("Save"), QStringLiteral("Save"), this);
    auto* close = NamedButton(QStringLiteral("Close"), QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(details, 0, 0);
    grid->addWidget(settings, 1, 0);
    grid->addWidget(current, 0, 1, 3, 1);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    resize(560, 340);

    ConnectGuarded(m_classChar, &QComboBox::activated, this, [this] { ClassCharChange(); });
    ConnectGuarded(m_fileSkill, &QComboBox::activated, this, [this] { FileSkillChange(); });
    ConnectGuarded(m_add, &QPushButton::clicked, this, [this] { AddClick(); });
    ConnectGuarded(remove, &QPushButton::clicked, this, [this] { DeleteClick(); });
    ConnectGuarded(reset, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectGuarded(save, &QPushButton::clicked, this, [this] { SaveClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    RunGuarded(this, [this] { GetDataSkill(); });
}

void TSkillForm::GetDataSkill() {
    m_acc->setText(m_account);
    m_chr->setText(m_character);
    m_add->setEnabled(false);

    const SkillStore::Opened opened = SkillStore::Open(m_character);
    m_classChar->clear();
    m_classChar->addItem(kAllSkills);
    m_classChar->addItems(opened.classes);
    m_characterSkill->clear();
    m_characterSkill->addItems(opened.skills);

    m_classChar->setCurrentIndex(0);
    if (m_characterSkill->count() > 0)
        m_characterSkill->setCurrentRow(0);
    ClassCharChange();
}

void TSkillForm::ClassCharChange() {
    m_add->setEnabled(false);
    const QStringList names = m_classChar->currentIndex() <= 0
                                  ? Catalogue::SkillNames()
                                  : Catalogue::SkillNames(m_classChar->currentText());
    m_fileSkill->clear();
    m_fileSkill->addItems(names);
    m_fileSkill->setCurrentIndex(names.isEmpty() ? -1 : 0);
    m_add->setEnabled(m_fileSkill->currentIndex() >= 0);
}

void TSkillForm::FileSkillChange() {
    m_add->setEnabled(false);
    // A name that has left the catalogue since the list was filled cannot be
    // saved, so it cannot be added either.
    m_add->setEnabled(m_fileSkill->currentIndex() >= 0 &&
                      !Catalogue::SkillNumber(m_fileSkill->currentText()).isEmpty());
}

void TSkillForm::AddClick() {
    if (m_fileSkill->currentIndex() < 0)
        return;
    if (m_characterSkill->count() >= MagicList::kRecords) {
        Dialogs::Show(this, QStringLiteral("Error"),
                      QStringLiteral("A character can learn at most %1 skills. Delete one first.")
                          .arg(MagicList::kRecords),
                      Dialogs::Icon::Error);
        return;
    }
    m_characterSkill->addItem(m_fileSkill->currentText());
    m_characterSkill->setCurrentRow(m_characterSkill->count() - 1);
}

void TSkillForm::DeleteClick() {
    const int row = m_characterSkill->currentRow();
    if (row < 0 || !m_characterSkill->currentItem()->isSelected()) {
        Dialogs::Show(this, QStringLiteral("Error"), QStringLiteral("Select at least one Skill to Delete"),
                      Dialogs::Icon::Error);
        return;
    }
    delete m_characterSkill->takeItem(row);
    // The entry now at the same place, or the new last one when the last
    // was removed, so that Delete can be pressed again.
    if (m_characterSkill->count() > 0)
        m_characterSkill->setCurrentRow(std::min(row, m_characterSkill->count() - 1));
}

void TSkillForm::Button1Click() {
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Are you Sure?"),
                      Dialogs::Icon::Question))
        return;
    m_characterSkill->clear();
    Dialogs::Show(this, QStringLiteral("Vorn TanorEditor"), QStringLiteral("Skill deleted!"),
                  Dialogs::Icon::Information);
}

void TSkillForm::SaveClick() {
    QStringList skills;
    for (int k = 0; k < m_characterSkill->count(); ++k)
        skills << m_characterSkill->item(k)->text();
    const SkillStore::Saved result = SkillStore::Save(m_character, skills);
    if (!result.saved) {
        Dialogs::ShowError(this, QStringLiteral("The character ") + m_character +
                                     QStringLiteral(" was not found; the skills were not saved"));
        return;
    }
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Skills Updated"),
                  Dialogs::Icon::Information);
    if (!result.vanished.isEmpty())
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"),
                      QStringLiteral("These skills are no longer in the skill catalogue and were saved as "
                                     "empty records: ") +
                          result.vanished.join(QStringLiteral(", ")),
                      Dialogs::Icon::Warning);
    accept();
}
