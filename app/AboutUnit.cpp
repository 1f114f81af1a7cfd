#include "app/AboutUnit.h"

#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Tanor Editor"));

    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("ProgramIcon"));
    banner->setPixmap(ProductBanner(QSize(300, 80)));
    m_productName = new QLabel(this);
    m_productName->setObjectName(QStringLiteral("ProductName"));
    QFont big = m_productName->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    m_productName->setFont(big);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));
    m_copyright = new QLabel(this);
    m_copyright->setObjectName(QStringLiteral("Copyright"));
    m_comments = new QLabel(this);
    m_comments->setObjectName(QStringLiteral("Comments"));
    m_comments->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(banner);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 0);
    body->setSpacing(4);
    for (QLabel* label : {m_productName, m_version, m_copyright, m_comments})
        body->addWidget(label);
    body->addSpacing(8);
    body->addWidget(ok, 0, Qt::AlignHCenter);
    layout->addLayout(body);
    setFixedWidth(300);

    RunGuarded(this, [this] { FormCreate(); });
}

void TAboutBox::FormCreate() {
    m_productName->setText(QStringLiteral("Vorn Tanor Editor"));
    m_version->setText(QStringLiteral("Version 1.5"));
    m_copyright->setText(QStringLiteral("Made by the Vorn team"));
    m_comments->setText(
        QStringLiteral("Accounts, characters, items, guilds and castle siege of a Tanor game server, "
                       "in one small tool."));
}
