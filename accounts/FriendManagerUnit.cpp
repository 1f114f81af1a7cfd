#include "accounts/FriendManagerUnit.h"

#include "accounts/FriendStore.h"
#include "accounts/SearchUnit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/ModalOpener.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Friend Manager");

QLineEdit* makeReadOnly(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QListWidget* makeList(const char* name, QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// A titled list with its two buttons under it.
QGroupBox* listGroup(const QString& title, QListWidget* list, QPushButton* first, QPushButton* second,
                     QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    list->setParent(group);
    first->setParent(group);
    second->setParent(group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(first);
    buttons->addWidget(second);
    auto* column = new QVBoxLayout(group);
    column->addWidget(list);
    column->addLayout(buttons);
    return group;
}

} // namespace

TFriendManagerForm::TFriendManagerForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_character(context.character) {
    setObjectName(QStringLiteral("FriendManagerForm"));
    setWindowTitle(QStringLiteral("Friend Manager..."));

    m_characterF = makeReadOnly("CharacterF", this);
    m_guidEdit = makeReadOnly("GUID", this);
    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel(QStringLiteral("Character:"), this));
    head->addWidget(m_characterF, 2);
    head->addWidget(new QLabel(QStringLiteral("GUID:"), this));
    head->addWidget(m_guidEdit, 1);

    m_friendList = makeList("FriendList", this);
    auto* addFriend = NamedButton(QStringLiteral("Add...    "), QStringLiteral("AddFriend"), this);
    auto* deleteFriend = NamedButton(QStringLiteral("Delete   "), QStringLiteral("DeleteFriend"), this);
    auto* friends = listGroup(QStringLiteral("Friend List:"), m_friendList, addFriend, deleteFriend, this);

    m_friendRequest = makeList("FriendRequest", this);
    auto* accept = NamedButton(QStringLiteral("Accept"), QStringLiteral("BitBtn1"), this);
    auto* deny = NamedButton(QStringLiteral("Deny   "), QStringLiteral("BitBtn2"), this);
    auto* requests = listGroup(QStringLiteral("Friend Requests:"), m_friendRequest, accept, deny, this);

    auto* letters = new QGroupBox(QStringLiteral("Letters"), this);
    m_meMoList = new QComboBox(letters);
    m_meMoList->setObjectName(QStringLiteral("MeMoList"));
    m_memoType = makeReadOnly("MemoType", letters);
    m_memoData = new QPlainTextEdit(letters);
    m_memoData->setObjectName(QStringLiteral("MemoData"));
    m_memoData->setReadOnly(true);
    auto* deleteLetter = NamedButton(QStringLiteral("Delete"), QStringLiteral("BitBtn5"), letters);
    auto* letterGrid = new QGridLayout(letters);
    letterGrid->addWidget(new QLabel(QStringLiteral("Subject:"), letters), 0, 0);
    letterGrid->addWidget(m_meMoList, 0, 1);
    letterGrid->addWidget(new QLabel(QStringLiteral("Type:"), letters), 0, 2);
    letterGrid->addWidget(m_memoType, 0, 3);
    letterGrid->addWidget(new QLabel(QStringLiteral("Memo Data:"), letters), 1, 0, 1, 4);
    letterGrid->addWidget(m_memoData, 2, 0, 1, 4);
    letterGrid->addWidget(deleteLetter, 3, 3);
    letterGrid->setColumnStretch(1, 3);
    letterGrid->setColumnStretch(3, 1);

    auto* close = NamedButton(QStringLiteral("Close"), QStringLiteral("BitBtn3"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);

    auto* grid = new QGridLayout(this);
    grid->addLayout(head, 0, 0, 1, 2);
    grid->addWidget(friends, 1, 0);
    grid->addWidget(requests, 1, 1);
    grid->addWidget(letters, 2, 0, 1, 2);
    grid->addLayout(bottom, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);
    resize(520, 500);

    // A request needs only the two names: the server's procedure finds the
    // entries, so "Add..." stays usable for a character without one.
    m_needEntry = {deleteFriend, accept, deny, deleteLetter};

    ConnectGuarded(m_meMoList, &QComboBox::activated, this, [this] { MeMoListChange(); });
    ConnectGuarded(addFriend, &QPushButton::clicked, this, [this] { AddFriendClick(); });
    ConnectGuarded(deleteFriend, &QPushButton::clicked, this, [this] { DeleteFriendClick(); });
    ConnectGuarded(accept, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(deny, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ConnectGuarded(deleteLetter, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(close, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

    RunGuarded(this, [this] { FormCreate(); });
}

void TFriendManagerForm::FormCreate() {
    load();
}

void TFriendManagerForm::load() {
    m_guid.reset();
    m_letter.reset();
    for (QPushButton* b : m_needEntry)
        b->setEnabled(false);
    m_characterF->setText(m_character);
    m_guidEdit->clear();

    const std::optional<FriendStore::Entry> entry = FriendStore::Load(m_character);
    // Without an entry there is nothing to change.
    if (!entry)
        return;
    m_guid = entry->guid;
    m_guidEdit->setText(QString::number(entry->guid));
    for (QPushButton* b : m_needEntry)
        b->setEnabled(true);

    m_friendList->addItems(entry->friends);
    m_meMoList->addItems(entry->subjects);
    m_meMoList->setCurrentIndex(-1);
    m_friendRequest->addItems(entry->requests);
}

void TFriendManagerForm::clearLists() {
    m_friendList->clear();
    m_friendRequest->clear();
    m_meMoList->clear();
    m_memoData->clear();
    m_memoType->clear();
}

void TFriendManagerForm::MeMoListChange() {
    m_memoData->clear();
    m_letter.reset();
    const int chosen = m_meMoList->currentIndex();
    if (!m_guid || chosen < 0)
        return;
    const QString subject = m_meMoList->itemText(chosen);

    // Letters may share a subject: the n-th entry of a subject in the list
    // is the n-th letter with it, and from here on the letter is known by
    // its MemoIndex alone.
    int occurrence = 0;
    for (int i = 0; i < chosen; ++i)
        occurrence += m_meMoList->itemText(i) == subject ? 1 : 0;
    const std::optional<FriendStore::ChosenLetter> chosenLetter =
        FriendStore::LetterOf(*m_guid, subject, occurrence);
    if (!chosenLetter)
        return;
    m_letter = chosenLetter->memoIndex;
    if (!chosenLetter->letter)
        return;
    if (chosenLetter->letter->type)
        m_memoType->setText(*chosenLetter->letter->type);
    m_memoData->setPlainText(chosenLetter->letter->text);
}

void TFriendManagerForm::AddFriendClick() {
    QString chosen;
    ModalOpener::OpenAndRead<TSearchForm>(
        this, [](QWidget* opener) { return new TSearchForm(opener, SearchMode::Characters); }, true,
        [&chosen](const TSearchForm& search) { chosen = search.Found().character; });
    if (chosen.isEmpty())
        return;
    FriendStore::SendRequest(m_character, chosen);
    Dialogs::Show(this, kCaption, QStringLiteral("A Request have been sended"), Dialogs::Icon::Information);
}

void TFriendManagerForm::DeleteFriendClick() {
    (void)runOnChosen(m_friendList, &FriendStore::RemoveFriend);
}

void TFriendManagerForm::BitBtn1Click() {
    if (std::unique_ptr<QListWidgetItem> accepted = runOnChosen(m_friendRequest, &FriendStore::AcceptRequest))
        m_friendList->addItem(accepted.release());
}

void TFriendManagerForm::BitBtn2Click() {
    (void)runOnChosen(m_friendRequest, &FriendStore::DenyRequest);
}

std::unique_ptr<QListWidgetItem> TFriendManagerForm::runOnChosen(QListWidget* list, NameAction action) {
    QListWidgetItem* chosen = list->currentItem();
    if (!chosen)
        return nullptr;
    action(m_character, chosen->text());
    return std::unique_ptr<QListWidgetItem>(list->takeItem(list->row(chosen)));
}

void TFriendManagerForm::BitBtn5Click() {
    if (m_meMoList->currentIndex() < 0 || !m_letter)
        return;
    FriendStore::DeleteLetter(m_character, *m_letter);
    Dialogs::Show(this, kCaption, QStringLiteral("Message Deleted!"), Dialogs::Icon::Information);
    clearLists();
    load();
}

void TFriendManagerForm::BitBtn3Click() {
    reject();
}
