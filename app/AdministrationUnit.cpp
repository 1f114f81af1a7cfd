#include "app/AdministrationUnit.h"
#include "app/OperatorStore.h"

#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Administration");

void Inform(QWidget* window, const QString& text) {
    Dialogs::Show(window, kCaption, text, Dialogs::Icon::Information);
}
void Refuse(QWidget* window, const QString& text) {
    Dialogs::Show(window, kCaption, text, Dialogs::Icon::Error);
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit* edit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QFrame* panel(const QString& name, QWidget* parent) {
    auto* p = new QFrame(parent);
    p->setObjectName(name);
    p->setFrameShape(QFrame::StyledPanel);
    return p;
}

// A panel's two buttons, right-aligned under its fields.
QHBoxLayout* buttonRow(QPushButton* first, QPushButton* second) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(first);
    row->addWidget(second);
    return row;
}

} // namespace

TAdministrationForm::TAdministrationForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_context(context) {
    setObjectName(QStringLiteral("AdministrationForm"));
    setWindowTitle(QStringLiteral("Administration..."));

    // ---- the record
    auto* group = new QGroupBox(QStringLiteral("Administration"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_group = group;
    auto* form = new QFormLayout;
    form->setVerticalSpacing(3);
    auto value = [group](const QString& name) {
        auto* label = new QLabel(group);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    m_guid = value(QStringLiteral("Guid"));
    m_id = value(QStringLiteral("ID"));
    m_name = value(QStringLiteral("Name"));
    m_auth = value(QStringLiteral("Auth"));
    m_block = value(QStringLiteral("Block"));
    m_date = value(QStringLiteral("Date"));
    m_perm = value(QStringLiteral("Perm"));
    auto* change = button(QStringLiteral("Button1"), QStringLiteral("Change..."), group);
    form->addRow(QStringLiteral("GUID"), m_guid);
    form->addRow(QStringLiteral("Id"), m_id);
    form->addRow(QStringLiteral("Name:"), m_name);
    auto* changeRow = new QHBoxLayout;
    changeRow->addWidget(change);
    changeRow->addStretch();
    form->addRow(QStringLiteral("Password:"), changeRow);
    form->addRow(QStringLiteral("Auth Code"), m_auth);
    form->addRow(QStringLiteral("Bloc Code"), m_block);
    form->addRow(QStringLiteral("Application Day"), m_date);
    form->addRow(QStringLiteral("Permit"), m_perm);
    auto* closed = button(QStringLiteral("Closed"), QStringLiteral("Close"), group);
    m_button3 = button(QStringLiteral("Button3"), QStringLiteral("New Admin..."), group);
    m_button6 = button(QStringLiteral("Button6"), QStringLiteral("Ban Admin..."), group);
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(m_button3);
    groupButtons->addWidget(m_button6);
    groupButtons->addStretch();
    groupButtons->addWidget(closed);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(8, 6, 8, 8);
    groupLayout->addLayout(form);
    groupLayout->addStretch();
    groupLayout->addLayout(groupButtons);

    // ---- password panel
    m_panel1 = panel(QStringLiteral("Panel1"), this);
    auto* p1 = new QVBoxLayout(m_panel1);
    auto* p1Form = new QFormLayout;
    m_labeledEdit1 = edit(QStringLiteral("LabeledEdit1"), m_panel1);
    m_labeledEdit2 = edit(QStringLiteral("LabeledEdit2"), m_panel1);
    m_labeledEdit3 = edit(QStringLiteral("LabeledEdit3"), m_panel1);
    for (QLineEdit* e : {m_labeledEdit1, m_labeledEdit2, m_labeledEdit3}) {
        e->setMaxLength(10);
        MaskWithStars(e);
    }
    p1Form->addRow(QStringLiteral("Old Password"), m_labeledEdit1);
    p1Form->addRow(QStringLiteral("New Password"), m_labeledEdit2);
    p1Form->addRow(QStringLiteral("Repeat New Password"), m_labeledEdit3);
    p1->addLayout(p1Form);
    p1->addStretch();
    auto* bitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Change"), m_panel1);
    auto* button2 = button(QStringLiteral("Button2"), QStringLiteral("Close"), m_panel1);
    p1->addLayout(buttonRow(bitBtn1, button2));

    // ---- new operator panel
    m_panel2 = panel(QStringLiteral("Panel2"), this);
    auto* p2 = new QVBoxLayout(m_panel2);
    auto* p2Form = new QFormLayout;
    m_edit1 = edit(QStringLiteral("Edit1"), m_panel2);
    m_edit2 = edit(QStringLiteral("Edit2"), m_panel2);
    m_edit3 = edit(QStringLiteral("Edit3"), m_panel2);
    m_edit4 = edit(QStringLiteral("Edit4"), m_panel2);
    MaskWithStars(m_edit3);
    MaskWithStars(m_edit4);
    p2Form->addRow(QStringLiteral("ID:"), m_edit1);
    p2Form->addRow(QStringLiteral("Name:"), m_edit2);
    p2Form->addRow(QStringLiteral("Password:"), m_edit3);
    p2Form->addRow(QStringLiteral("Re.Pass"), m_edit4);
    p2->addLayout(p2Form);
    p2->addStretch();
    auto* button4 = button(QStringLiteral("Button4"), QStringLiteral("Create"), m_panel2);
    auto* button5 = button(QStringLiteral("Button5"), QStringLiteral("Close"), m_panel2);
    p2->addLayout(buttonRow(button4, button5));

    // ---- removal panel
    m_panel3 = panel(QStringLiteral("Panel3"), this);
    auto* p3 = new QVBoxLayout(m_panel3);
    p3->addWidget(new QLabel(QStringLiteral("List of Admins (ID): (active)"), m_panel3));
    m_listBox1 = new QListWidget(m_panel3);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    p3->addWidget(m_listBox1, 1);
    auto* button7 = button(QStringLiteral("Button7"), QStringLiteral("Ban"), m_panel3);
    auto* button8 = button(QStringLiteral("Button8"), QStringLiteral("Close"), m_panel3);
    p3->addLayout(buttonRow(button7, button8));

    m_stack = new QStackedLayout;
    for (QWidget* w : {m_group, static_cast<QWidget*>(m_panel1), static_cast<QWidget*>(m_panel2),
                       static_cast<QWidget*>(m_panel3)})
        m_stack->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(m_stack);
    setFixedSize(303, 246);

    ConnectGuarded(change, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectGuarded(button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectGuarded(bitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(m_button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectGuarded(button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    ConnectGuarded(button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    ConnectGuarded(m_button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    ConnectGuarded(button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    ConnectGuarded(button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    ConnectGuarded(closed, &QPushButton::clicked, this, [this] { ClosedClick(); });

    RunGuarded(this, [this] { FormCreate(); });
}

void TAdministrationForm::showPanel(QWidget* panel) {
    m_stack->setCurrentWidget(panel ? panel : m_group);
}

void TAdministrationForm::FormCreate() {
    m_id->setText(m_context.operatorId);
    if (const std::optional<OperatorStore::OperatorRecord> row = OperatorStore::Load(m_context.operatorId)) {
        m_guid->setText(row->number);
        m_name->setText(row->name);
        m_auth->setText(row->authority);
        m_block->setText(row->blocked);
        m_date->setText(row->date);
        m_perm->setText(row->permission);
    }
    // Only the operator numbered 1 manages other operators.
    if (m_guid->text() != QLatin1String("1")) {
        m_button6->hide();
        m_button3->hide();
    }
}

void TAdministrationForm::Button1Click() {
    showPanel(m_panel1);
}
void TAdministrationForm::Button2Click() {
    showPanel(nullptr);
}
void TAdministrationForm::Button3Click() {
    showPanel(m_panel2);
}
void TAdministrationForm::Button5Click() {
    showPanel(nullptr);
}
void TAdministrationForm::Button8Click() {
    showPanel(nullptr);
}
void TAdministrationForm::ClosedClick() {
    accept();
}

void TAdministrationForm::BitBtn1Click() {
    if (m_labeledEdit2->text() != m_labeledEdit3->text()) {
        Refuse(this, QStringLiteral("Passwords do not match!"));
        return;
    }
    if (OperatorStore::ChangePassword(m_id->text(), m_labeledEdit1->text(), m_labeledEdit2->text()) ==
        OperatorStore::PasswordChange::WrongOldPassword) {
        Refuse(this, QStringLiteral("Old Password is incorrect"));
        return;
    }
    Inform(this, QStringLiteral("Password was changed successfully!"));
    showPanel(nullptr);
}

void TAdministrationForm::Button4Click() {
    if (m_edit3->text() != m_edit4->text()) {
        Inform(this, QStringLiteral("Passwords do not match!"));
        return;
    }
    if (OperatorStore::Add(m_edit1->text(), m_edit3->text(), m_edit2->text()) ==
        OperatorStore::AddResult::IdExists) {
        Inform(this, QStringLiteral("ID exist!"));
        showPanel(nullptr);
        return;
    }
    Inform(this, QStringLiteral("New Admin Account Created!"));
}

void TAdministrationForm::Button6Click() {
    showPanel(m_panel3);
    m_listBox1->clear();
    m_listBox1->addItems(OperatorStore::OtherOperatorIds());
}

void TAdministrationForm::Button7Click() {
    QListWidgetItem* chosen = m_listBox1->currentItem();
    if (!chosen || !chosen->isSelected())
        return;
    // Reported only once the row is really gone; a failure reaches the
    // general error box instead.
    OperatorStore::Remove(chosen->text());
    Inform(this, QStringLiteral("Admin Banned!"));
    delete m_listBox1->takeItem(m_listBox1->row(chosen));
}
