#include "app/AuthenticationUnit.h"

#include "app/OperatorSignIn.h"
#include "core/UtilitiesUnit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Authentication");
constexpr int kMaxWrongPasswords = 3;
} // namespace

TAuthenticationForm::TAuthenticationForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("AuthenticationForm"));
    setWindowTitle(QStringLiteral("Authentication"));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    auto* banner = new QLabel(frame);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(ProductBanner(QSize(320, 70)));
    auto* product = new QLabel(QStringLiteral("Vorn Tanor Editor V1.5"), frame);
    product->setObjectName(QStringLiteral("Label1"));
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* credit = new QLabel(QStringLiteral("Server administration for Tanor game servers"), frame);
    credit->setObjectName(QStringLiteral("Label2"));

    m_adminId = new QLineEdit(frame);
    m_adminId->setObjectName(QStringLiteral("AdminID"));
    m_adminId->setMaxLength(10);
    m_pass = new QLineEdit(frame);
    m_pass->setObjectName(QStringLiteral("Pass"));
    m_pass->setMaxLength(10);
    MaskWithStars(m_pass);
    m_idSave = new QCheckBox(QStringLiteral("ID Save"), frame);
    m_idSave->setObjectName(QStringLiteral("IDSave"));
    auto* connectButton = new QPushButton(QStringLiteral("Connect"), frame);
    connectButton->setObjectName(QStringLiteral("Connect"));
    connectButton->setDefault(true);
    auto* exitButton = new QPushButton(QStringLiteral("Exit"), frame);
    exitButton->setObjectName(QStringLiteral("Exit"));
    auto* careful = new QLabel(QStringLiteral("Please be Careful with your password security"), frame);
    careful->setObjectName(QStringLiteral("Label5"));
    QPalette palette = careful->palette();
    palette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    careful->setPalette(palette);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Admin ID:"), frame), 0, 0);
    fields->addWidget(m_adminId, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Password:"), frame), 1, 0);
    fields->addWidget(m_pass, 1, 1);
    fields->addWidget(m_idSave, 2, 1);
    fields->addWidget(connectButton, 0, 2);
    fields->addWidget(exitButton, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(0, 0, 0, 8);
    inner->addWidget(banner);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 0);
    body->addWidget(product);
    body->addWidget(credit);
    body->addSpacing(6);
    body->addLayout(fields);
    body->addSpacing(4);
    body->addWidget(careful, 0, Qt::AlignHCenter);
    inner->addLayout(body);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    frame->setFixedWidth(322);

    connect(m_idSave, &QCheckBox::clicked, this, Guarded(this, [this] { IDSaveClick(); }));
    ConnectGuarded(connectButton, &QPushButton::clicked, this, [this] { ConnectClick(); });
    ConnectGuarded(exitButton, &QPushButton::clicked, this, [this] { ExitClick(); });

    RunGuarded(this, [this] { FormCreate(); });
}

void TAuthenticationForm::FormCreate() {
    if (ReadSettingInt(QStringLiteral("Authentication"), QStringLiteral("IdSave")) == 1) {
        m_adminId->setText(ReadSetting(QStringLiteral("Authentication"), QStringLiteral("Id")));
        m_idSave->setChecked(true);
    }
}

void TAuthenticationForm::IDSaveClick() {
    // Saved at the moment of ticking, not at sign-in.
    if (m_idSave->isChecked()) {
        WriteSetting(QStringLiteral("Authentication"), QStringLiteral("Id"), m_adminId->text());
        WriteSettingInt(QStringLiteral("Authentication"), QStringLiteral("IdSave"), 1);
    } else {
        WriteSettingInt(QStringLiteral("Authentication"), QStringLiteral("IdSave"), 0);
    }
}

void TAuthenticationForm::ConnectClick() {
    const OperatorSignIn::Outcome outcome = OperatorSignIn::SignIn(m_adminId->text(), m_pass->text());
    if (outcome == OperatorSignIn::Outcome::SignedIn) {
        m_operatorId = m_adminId->text();
        m_signedIn = true;
        accept();
        return;
    }
    m_signedIn = false;
    Dialogs::Show(this, kCaption, OperatorSignIn::FailureText(outcome), Dialogs::Icon::Error);
    if (outcome == OperatorSignIn::Outcome::WrongPassword && ++m_wrongPasswords >= kMaxWrongPasswords)
        ExitClick();
}

void TAuthenticationForm::ExitClick() {
    m_signedIn = false;
    reject();
}
