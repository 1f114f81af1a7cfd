#include "accounts/CharacterUnit.h"

#include "accounts/AccountsKit.h"
#include "accounts/CharacterCodes.h"
#include "accounts/MoveCharUnit.h"
#include "accounts/RenameCharUnit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/ModalOpener.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace AccountsKit;
using namespace CharacterCodes;

namespace {

const QString kCaption = QStringLiteral("Character Edition");

QLabel* valueLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    return l;
}

// A group holding a form of labelled fields.
QFormLayout* formGroup(const QString& title, QWidget* parent, QGroupBox** group) {
    *group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(*group);
    form->setVerticalSpacing(3);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

} // namespace

TCharacterEditionForm::TCharacterEditionForm(const WindowContext& context,
                                             ModalOpener::ContextFactory skillWindow, QWidget* parent)
    : QDialog(parent), m_context(context), m_skillWindow(std::move(skillWindow)) {
    setObjectName(QStringLiteral("CharacterEditionForm"));
    setWindowTitle(QStringLiteral("Character Edition"));

    // ---- who
    auto* who = new QHBoxLayout;
    who->addWidget(new QLabel(QStringLiteral("Account:"), this));
    m_accountLabel = valueLabel(QStringLiteral("AccountName"), this);
    who->addWidget(m_accountLabel);
    who->addSpacing(16);
    who->addWidget(new QLabel(QStringLiteral("Character:"), this));
    m_characterLabel = valueLabel(QStringLiteral("CharacterName"), this);
    who->addWidget(m_characterLabel);
    who->addStretch();

    // ---- numbers
    QGroupBox* statsGroup = nullptr;
    QFormLayout* stats = formGroup(QStringLiteral("Statistics"), this, &statsGroup);
    const struct {
        const char* label;
        const char* name;
    } statFields[] = {
        {"Level:", "Level"},       {"Free Points:", "FreePoints"}, {"Experience:", "Experience"},
        {"Strength:", "Strenght"}, {"Agility:", "Agility"},        {"Vitality:", "Vitality"},
        {"Energy:", "Energy"},     {"Command:", "Charisma"},
    };
    for (const auto& f : statFields)
        m_fields.insert(QLatin1String(f.name),
                        AddField(stats, QLatin1String(f.label), QLatin1String(f.name)));
    m_life = AddField(stats, QStringLiteral("Life:"), QStringLiteral("Life"));
    m_mana = AddField(stats, QStringLiteral("Mana:"), QStringLiteral("Mana"));
    QLineEdit* reset = Edit(QStringLiteral("Reset"), statsGroup);
    m_resetLabel = new QLabel(QStringLiteral("Reset:"), statsGroup);
    stats->addRow(m_resetLabel, reset);
    m_fields.insert(QStringLiteral("Reset"), reset);
    m_resetLabel->hide();
    reset->hide();

    QGroupBox* zenGroup = nullptr;
    QFormLayout* zen = formGroup(QStringLiteral("ZEN"), this, &zenGroup);
    m_fields.insert(QStringLiteral("Money"),
                    AddField(zen, QStringLiteral("Money:"), QStringLiteral("Money"), 10));

    QGroupBox* placeGroup = nullptr;
    QFormLayout* place = formGroup(QStringLiteral("Location"), this, &placeGroup);
    m_mapNumber = new QComboBox(placeGroup);
    m_mapNumber->setObjectName(QStringLiteral("MapNumber"));
    m_mapNumber->addItems(Maps());
    place->addRow(QStringLiteral("Map:"), m_mapNumber);
    m_fields.insert(QStringLiteral("MapPosX"),
                    AddField(place, QStringLiteral("X:"), QStringLiteral("MapPosX")));
    m_fields.insert(QStringLiteral("MapPosY"),
                    AddField(place, QStringLiteral("Y:"), QStringLiteral("MapPosY")));
    auto* mapButton = Button(QStringLiteral("MapButton"), QStringLiteral("Map..."), placeGroup);
    mapButton->hide();

    QGroupBox* pkGroup = nullptr;
    QFormLayout* pk = formGroup(QStringLiteral("PK"), this, &pkGroup);
    m_pkLevel = new QComboBox(pkGroup);
    m_pkLevel->setObjectName(QStringLiteral("PKLevel"));
    m_pkLevel->addItems(PkLevels());
    pk->addRow(QStringLiteral("PK Level:"), m_pkLevel);
    m_fields.insert(QStringLiteral("PKCount"),
                    AddField(pk, QStringLiteral("PK Count:"), QStringLiteral("PKCount")));
    m_fields.insert(QStringLiteral("PKTime"),
                    AddField(pk, QStringLiteral("PK Time:"), QStringLiteral("PKTime")));

    // Room for the widest number a field takes.
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 12;
    for (QLineEdit* e : m_fields)
        e->setMinimumWidth(numberWidth);
    m_life->setMinimumWidth(numberWidth);
    m_mana->setMinimumWidth(numberWidth);

    // ---- codes
    m_characterType = new RadioGroup(QStringLiteral("Character Type"), Captions(Classes()), this);
    m_characterType->setObjectName(QStringLiteral("CharacterTypeRG"));
    m_ctlCode = new RadioGroup(QStringLiteral("Character Status"), Captions(Statuses()), this);
    m_ctlCode->setObjectName(QStringLiteral("CtlCode"));
    QStringList questCaptions;
    for (const QuestItem& q : Quests())
        questCaptions << q.caption;
    m_quest = new RadioGroup(QStringLiteral("Quest Settings"), questCaptions, this);
    m_quest->setObjectName(QStringLiteral("QuestRG"));

    QGroupBox* guildGroup = nullptr;
    QFormLayout* guild = formGroup(QStringLiteral("Guild Information"), this, &guildGroup);
    guildGroup->setObjectName(QStringLiteral("GuildInformation"));
    m_guild = valueLabel(QStringLiteral("Guild"), guildGroup);
    m_master = valueLabel(QStringLiteral("Master"), guildGroup);
    m_levelMember = valueLabel(QStringLiteral("LevelMember"), guildGroup);
    guild->addRow(QStringLiteral("Guild:"), m_guild);
    guild->addRow(QStringLiteral("Status:"), m_master);
    guild->addRow(QStringLiteral("Level:"), m_levelMember);

    // ---- commands
    m_skills = Button(QStringLiteral("SkillButton"), QStringLiteral("Skills..."), this);
    m_move = Button(QStringLiteral("Movechr"), QStringLiteral("Move..."), this);
    m_rename = Button(QStringLiteral("Rename"), QStringLiteral("Rename..."), this);
    m_save = Button(QStringLiteral("ModifyButton"), QStringLiteral("Save"), this);
    m_save->setDefault(true);
    auto* close = Button(QStringLiteral("BitBtn1"), QStringLiteral("Close"), this);
    m_skills->setEnabled(bool(m_skillWindow));
    m_move->setEnabled(false);
    m_rename->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_skills);
    buttons->addWidget(m_move);
    buttons->addWidget(m_rename);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(close);

    auto* left = new QVBoxLayout;
    left->addWidget(statsGroup);
    left->addWidget(zenGroup);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(placeGroup);
    middle->addWidget(pkGroup);
    middle->addWidget(guildGroup);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_characterType);
    right->addWidget(m_ctlCode);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    columns->addWidget(m_quest, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(who);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    ConnectGuarded(m_save, &QPushButton::clicked, this, [this] { ModifyButtonClick(); });
    ConnectGuarded(m_quest, &RadioGroup::itemClicked, this, [this](int index) { QuestRGClick(index); });
    ConnectGuarded(m_skills, &QPushButton::clicked, this, [this] { SkillButtonClick(); });
    ConnectGuarded(m_move, &QPushButton::clicked, this, [this] { MovechrClick(); });
    ConnectGuarded(m_rename, &QPushButton::clicked, this, [this] { RenameClick(); });
    connect(close, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    RunGuarded(this, [this] { FormCreate(); });
}

QLineEdit* TCharacterEditionForm::field(const QString& name) const {
    return m_fields.value(name);
}

void TCharacterEditionForm::FormCreate() {
    m_account = m_context.account;
    m_character = m_context.character;
    m_accountLabel->setText(m_account);
    m_characterLabel->setText(m_character);
    checkAccount();
    loadCharacter();
    loadResets();
}

void TCharacterEditionForm::checkAccount() {
    if (!CharacterStore::AccountExists(m_account))
        Dialogs::ShowPlain(this, QStringLiteral("Account do Not Exist!"));
}

void TCharacterEditionForm::loadCharacter() {
    m_save->setEnabled(false);
    if (m_character.isEmpty()) {
        m_skills->setEnabled(false);
        Dialogs::ShowPlain(this, QStringLiteral("Select at least One Character"));
        return;
    }
    std::optional<CharacterStore::CharacterRecord> record = CharacterStore::Load(m_character);
    if (!record) {
        // Renamed or deleted since it was chosen: nothing to show, to save
        // into, to move or rename, and no skills to edit.
        m_skills->setEnabled(false);
        Dialogs::Show(this, kCaption,
                      QStringLiteral("The character ") + m_character +
                          QStringLiteral(" does not exist (renamed or deleted meanwhile); there is nothing "
                                         "to edit."),
                      Dialogs::Icon::Warning);
        return;
    }
    m_record = std::move(*record);
    for (auto it = m_record.numbers.cbegin(); it != m_record.numbers.cend(); ++it)
        ShowStored(field(it.key()), it.value());
    m_life->setText(m_record.life);
    m_mana->setText(m_record.mana);

    m_pkLevel->setCurrentIndex(PkLevelIndex(m_record.pkLevel));
    m_mapNumber->setCurrentIndex(MapIndex(m_record.map));
    m_characterType->SetItemIndex(m_record.classCode ? IndexOfCode(Classes(), *m_record.classCode) : -1);
    m_ctlCode->SetItemIndex(m_record.ctlCode ? IndexOfCode(Statuses(), *m_record.ctlCode) : -1);

    m_questPrefix = m_record.questPrefix;
    const int quest = QuestIndex(m_questPrefix);
    m_quest->SetItemIndex(quest);
    m_save->setEnabled(true);
    if (quest < 0)
        Dialogs::Show(this, QStringLiteral("Warning"), QuestVariantWarning(), Dialogs::Icon::Warning);
    showGuild();
}

void TCharacterEditionForm::showGuild() {
    const std::optional<CharacterStore::GuildMembership>& member = m_record.guild;
    m_guild->setText(member ? member->guild : QStringLiteral("None"));
    m_master->setText(member ? member->status : QStringLiteral("None"));
    m_levelMember->setText(member ? member->level : QStringLiteral("None"));
    // A guild member can be neither moved nor renamed.
    m_move->setEnabled(!member);
    m_rename->setEnabled(!member);
}

void TCharacterEditionForm::loadResets() {
    m_resetNames = ResetSettings::Read();
    m_resets = m_resetNames.enabled == 1;
    if (!m_resets)
        return;
    if (!m_resetNames.InvalidName().isEmpty()) {
        m_resets = false;
        Dialogs::Show(this, kCaption,
                      QStringLiteral("The reset table and columns named in the settings are not plain names; "
                                     "resets are neither shown nor saved."),
                      Dialogs::Icon::Warning);
        return;
    }
    m_resetLabel->show();
    field(QStringLiteral("Reset"))->show();
    const QString resets = CharacterStore::LoadResets(m_resetNames, m_character);
    m_record.numbers.insert(QStringLiteral("Reset"), resets);
    field(QStringLiteral("Reset"))->setText(resets);
}

void TCharacterEditionForm::QuestRGClick(int index) {
    if (index >= 0 && index < int(Quests().size()))
        m_questPrefix = Quests()[std::size_t(index)].prefix;
}

void TCharacterEditionForm::ModifyButtonClick() {
    CharacterStore::CharacterEdit edit;
    edit.name = m_character;
    for (const NumberRule& rule : NumberRules()) {
        if (rule.control != QLatin1String("Reset") || m_resets)
            edit.shown.insert(rule.control, field(rule.control)->text());
    }
    edit.classItem = m_characterType->ItemIndex();
    edit.statusItem = m_ctlCode->ItemIndex();
    edit.pkLevelItem = m_pkLevel->currentIndex();
    edit.mapItem = m_mapNumber->currentIndex();
    edit.questPrefix = m_questPrefix;

    const CharacterStore::SaveOutcome outcome = CharacterStore::Save(m_record, edit);
    switch (outcome.result) {
    case CharacterStore::SaveResult::Refused: {
        Dialogs::Show(this, kCaption, NumberMessage(*outcome.refused), Dialogs::Icon::Warning);
        QLineEdit* refusedField = field(outcome.refused->control);
        refusedField->setFocus();
        refusedField->selectAll();
        return;
    }
    case CharacterStore::SaveResult::CharacterMissing:
        Dialogs::Show(this, kCaption,
                      QStringLiteral("The character ") + m_character +
                          QStringLiteral(" no longer exists under that name; nothing was saved."),
                      Dialogs::Icon::Warning);
        return;
    case CharacterStore::SaveResult::Saved:
        break;
    }
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Character Updated!"),
                  Dialogs::Icon::Information);
    accept();
    if (outcome.resets)
        CharacterStore::SaveResets(m_resetNames, m_character, *outcome.resets);
}

void TCharacterEditionForm::openWithNames(const ModalOpener::ContextFactory& create,
                                          const ModalOpener::Closed& closed) {
    WindowContext names = m_context;
    names.account = m_account;
    names.character = m_character;
    ModalOpener::Open(
        this, [&](QWidget* parent) { return create(parent, names); }, false, closed);
}

void TCharacterEditionForm::SkillButtonClick() {
    if (!m_skillWindow)
        return;
    openWithNames(m_skillWindow);
}

void TCharacterEditionForm::MovechrClick() {
    QString movedTo;
    openWithNames([](QWidget* parent, const WindowContext& c) { return new TMoveCharForm(c, parent); },
                  [&movedTo](QDialog* w) { movedTo = w->property("movedTo").toString(); });
    followNames(movedTo.isEmpty() ? m_account : movedTo, m_character);
}

void TCharacterEditionForm::RenameClick() {
    QString renamedTo;
    openWithNames([](QWidget* parent, const WindowContext& c) { return new TRenameCharForm(c, parent); },
                  [&renamedTo](QDialog* w) { renamedTo = w->property("renamedTo").toString(); });
    followNames(m_account, renamedTo.isEmpty() ? m_character : renamedTo);
}

void TCharacterEditionForm::followNames(const QString& account, const QString& character) {
    // After a move or rename the editor shows the character under its new
    // account or name from then on, and hands those back to its opener.
    if (account != m_account || character != m_character) {
        m_context.account = account;
        m_context.character = character;
        FormCreate();
    } else {
        checkAccount();
    }
}

void TCharacterEditionForm::BitBtn1Click() {
    reject();
}
