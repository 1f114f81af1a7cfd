#include "reports/JoinUnit.h"

#include "reports/ReportQueries.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace {

// Reload times from 0 (stop after the next tick) to a day.
constexpr int kMaxReloadSeconds = 86400;

QLineEdit* display(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

} // namespace

TJoinForm::TJoinForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("JoinForm"));
    setWindowTitle(QStringLiteral("Connection"));

    m_accounts = new QListWidget(this);
    m_accounts->setObjectName(QStringLiteral("AccCT"));
    m_total = new QLabel(QStringLiteral("0"), this);
    m_total->setObjectName(QStringLiteral("TC"));
    m_character = display(this, "CharCT");
    m_ip = display(this, "IP");
    m_connected = display(this, "CTM");
    m_disconnected = display(this, "DTM");
    m_autoReload = new QCheckBox(QStringLiteral("Auto Reload"), this);
    m_autoReload->setObjectName(QStringLiteral("CheckBox1"));
    m_autoReload->setChecked(true);
    m_reloadTime = new QLineEdit(QStringLiteral("10"), this);
    m_reloadTime->setObjectName(QStringLiteral("LabeledEdit1"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Accounts Connected"), this));
    left->addWidget(m_accounts, 1);
    auto* total = new QHBoxLayout;
    total->addWidget(new QLabel(QStringLiteral("Total Connected:"), this));
    total->addWidget(m_total, 1);
    left->addLayout(total);

    auto* fields = new QFormLayout;
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    fields->addRow(QStringLiteral("Character Connected"), m_character);
    fields->addRow(QStringLiteral("IP"), m_ip);
    fields->addRow(QStringLiteral("Connected Time"), m_connected);
    fields->addRow(QStringLiteral("Disconnected Time"), m_disconnected);
    fields->addRow(m_autoReload);
    fields->addRow(QStringLiteral("Reload Time (seconds)"), m_reloadTime);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    right->addWidget(close, 0, Qt::AlignRight);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right, 1);
    resize(420, 330);

    ListChoice::Follow(m_accounts, this, [this] { AccCTClick(); });
    ConnectGuarded(m_autoReload, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(m_reloadTime, &QLineEdit::textChanged, this, [this] { m_warnedText.clear(); });
    ConnectGuarded(m_reloadTime, &QLineEdit::textEdited, this, [this] { LabeledEdit1Change(); });
    connect(m_timer, &QTimer::timeout, this, [this] { TimerTimer(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    RunGuarded(this, [this] { FormCreate(); });
    m_timer->start(1000);
}

void TJoinForm::FormCreate() {
    const QStringList accounts = ReportQueries::ConnectedAccounts();
    // The same account stays chosen, wherever the reload puts it.
    ListChoice::Refill(m_accounts, accounts);
    m_total->setText(QString::number(accounts.size()));
}

void TJoinForm::AccCTClick() {
    const QString chosen = ListChoice::ChosenText(m_accounts);
    if (chosen.isEmpty()) {
        for (QLineEdit* field : {m_character, m_ip, m_connected, m_disconnected})
            field->clear();
        return;
    }
    const ReportQueries::Connection shown =
        ReportQueries::ConnectionOf(chosen).value_or(ReportQueries::Connection{});
    m_character->setText(shown.character);
    m_ip->setText(shown.ip);
    m_connected->setText(shown.connected);
    m_disconnected->setText(shown.disconnected);
}

std::optional<int> TJoinForm::typedSeconds() const {
    bool ok = false;
    const int seconds = m_reloadTime->text().trimmed().toInt(&ok);
    if (!ok || seconds < 0 || seconds > kMaxReloadSeconds)
        return std::nullopt;
    return seconds;
}

void TJoinForm::applyInterval() {
    const std::optional<int> seconds = typedSeconds();
    if (!seconds) {
        if (m_warnedText != m_reloadTime->text()) {
            m_warnedText = m_reloadTime->text();
            Dialogs::Show(
                this, QStringLiteral("Connection"),
                QStringLiteral("Reload Time (seconds) must be a whole number from 0 to %1; the list "
                               "keeps reloading every %2 seconds.")
                    .arg(kMaxReloadSeconds)
                    .arg(m_timer->interval() / 1000),
                Dialogs::Icon::Warning);
        }
        return;
    }
    // An interval of 0 runs nothing: the timer stops after this tick, and
    // "Auto Reload" says so.
    if (*seconds == 0)
        stopForZero();
    else
        m_timer->setInterval(*seconds * 1000);
}

void TJoinForm::stopForZero() {
    m_timer->stop();
    m_autoReload->setChecked(false);
    m_stoppedByZero = true;
}

void TJoinForm::LabeledEdit1Change() {
    const std::optional<int> seconds = typedSeconds();
    if (!seconds)
        return; // said at the next tick
    if (*seconds == 0) {
        stopForZero();
        return;
    }
    // A time typed after 0 takes up the reloading that 0 stopped.
    if (m_stoppedByZero && !m_autoReload->isChecked()) {
        m_autoReload->setChecked(true);
        CheckBox1Click();
    }
}

void TJoinForm::reloadKeepingChoice() {
    if (m_boxOpen)
        return;
    try {
        FormCreate();
    } catch (const std::exception& e) {
        m_boxOpen = true;
        Dialogs::ShowError(this, e);
        m_boxOpen = false;
    }
}

void TJoinForm::TimerTimer() {
    applyInterval();
    reloadKeepingChoice();
}

void TJoinForm::CheckBox1Click() {
    m_stoppedByZero = false;
    if (!m_autoReload->isChecked()) {
        m_timer->stop();
        return;
    }
    m_timer->start();
    TimerTimer();
}
