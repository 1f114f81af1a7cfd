#include "reports/GMUnit.h"

#include "reports/ReportQueries.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TGMForm::TGMForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GMForm"));
    setWindowTitle(QStringLiteral("View GM"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("GMlist"));
    m_acc = new QLabel(this);
    m_acc->setObjectName(QStringLiteral("acc"));
    m_acc->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ban = new QPushButton(QStringLiteral("Ban"), this);
    ban->setObjectName(QStringLiteral("Button1"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    auto* reload = new QPushButton(QStringLiteral("Reload"), this);
    reload->setObjectName(QStringLiteral("BitBtn2"));

    auto* account = new QHBoxLayout;
    account->addWidget(new QLabel(QStringLiteral("Account:"), this));
    account->addWidget(m_acc, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ban);
    buttons->addWidget(reload);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("GM List:"), this), 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addLayout(account, 2, 0);
    grid->addLayout(buttons, 3, 0);
    resize(280, 300);

    ListChoice::Follow(m_list, this, [this] { GMlistClick(); });
    ConnectGuarded(reload, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ConnectGuarded(ban, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    RunGuarded(this, [this] { FormCreate(); });
}

void TGMForm::FormCreate() {
    ListChoice::Refill(m_list, ReportQueries::GameMasters());
}

void TGMForm::BitBtn2Click() {
    FormCreate();
}

void TGMForm::GMlistClick() {
    const QString chosen = ListChoice::ChosenText(m_list);
    if (chosen.isEmpty()) {
        m_acc->clear();
        return;
    }
    m_acc->setText(ReportQueries::AccountOf(chosen));
}

void TGMForm::Button1Click() {
    QListWidgetItem* chosen = ListChoice::Chosen(m_list);
    if (!chosen) {
        Dialogs::Show(this, QStringLiteral("Error"), QStringLiteral("Select at least one GM"),
                      Dialogs::Icon::Information);
        return;
    }
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Are you sure?"),
                      Dialogs::Icon::Question))
        return;
    ReportQueries::Ban(chosen->text());
    ListChoice::Remove(m_list, chosen);
    Dialogs::Show(this, QStringLiteral("GM Manager"), QStringLiteral("GM Banned"),
                  Dialogs::Icon::Information);
}
