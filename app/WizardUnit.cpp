#include "app/WizardUnit.h"
#include "app/OperatorStore.h"

#include "core/UtilitiesUnit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WaitCursor.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Vorn Wizard");
const QString kNext = QStringLiteral("Next >>");
const QString kFinish = QStringLiteral("Finish");

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// Why the database list is empty although the listing worked.
QString noDatabaseText() {
    const QString master = MasterDataSource();
    const QString server = master.isEmpty()
                               ? QStringLiteral("The local server")
                               : QStringLiteral("The server of data source %1 (%2/%3 in the settings)")
                                     .arg(master, SettingsName::kConnection, MasterDataSourceKey());
    return server + QStringLiteral(" lists no database to create the operator table in.");
}

QWidget* page(const QString& name, QWidget* parent) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

TWizardForm::TWizardForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WizardForm"));
    setWindowTitle(QStringLiteral("Vorn Tanor Editor Wizard"));

    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(ProductBanner(QSize(460, 64)));

    m_pages = new QStackedWidget(this);

    QWidget* p1 = page(QStringLiteral("Panel1"), m_pages);
    auto* l1 = new QVBoxLayout(p1);
    auto* welcome = new QLabel(QStringLiteral("Welcome to the Vorn Tanor Editor"), p1);
    QFont big = welcome->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    welcome->setFont(big);
    l1->addWidget(welcome);
    l1->addWidget(wrapped(
        QStringLiteral("This wizard will guide you during the installation (3 steps) of the Vorn Tanor "
                       "Editor, click Next to continue the inxstallation "),
        p1));
    l1->addStretch();
    auto* warning =
        wrapped(QStringLiteral("If you see this wizard again, the table was not created sucessfully or was "
                               "deleted by someone"),
                p1);
    warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    l1->addWidget(warning);

    QWidget* p2 = page(QStringLiteral("Panel2"), m_pages);
    auto* l2 = new QVBoxLayout(p2);
    l2->addWidget(wrapped(
        QStringLiteral(
            "The Vorn Tanor Editor requires a special table where the Login Information will be stored "),
        p2));
    l2->addWidget(wrapped(QStringLiteral("Select the SQL Database where this table will be created"), p2));
    auto* f2 = new QFormLayout;
    m_comboBox1 = new QComboBox(p2);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    f2->addRow(QStringLiteral("Database:"), m_comboBox1);
    l2->addLayout(f2);
    l2->addStretch();

    QWidget* p3 = page(QStringLiteral("Panel3"), m_pages);
    auto* l3 = new QVBoxLayout(p3);
    l3->addWidget(wrapped(QStringLiteral("Select your User and Password"), p3));
    l3->addWidget(
        wrapped(QStringLiteral("Remember that this account will be able to create another 'admin' accounts, "
                               "or ban them, so choose your password carefully, no other will be able to do "
                               "this"),
                p3));
    auto* f3 = new QFormLayout;
    m_edit1 = new QLineEdit(p3);
    m_edit2 = new QLineEdit(p3);
    m_edit3 = new QLineEdit(p3);
    const char* names[] = {"Edit1", "Edit2", "Edit3"};
    const char* captions[] = {"Account:", "Password:", "RepeatPassword:"};
    QLineEdit* edits[] = {m_edit1, m_edit2, m_edit3};
    for (int i = 0; i < 3; ++i) {
        edits[i]->setObjectName(QString::fromLatin1(names[i]));
        edits[i]->setMaxLength(10);
        f3->addRow(QString::fromLatin1(captions[i]), edits[i]);
    }
    MaskWithStars(m_edit2);
    MaskWithStars(m_edit3);
    l3->addLayout(f3);
    l3->addStretch();

    QWidget* p4 = page(QStringLiteral("Panel4"), m_pages);
    auto* l4 = new QVBoxLayout(p4);
    l4->addWidget(wrapped(
        QStringLiteral("The wizard has Ended, now you will be able to  Login into the Vorn Tanor Editor"),
        p4));
    l4->addStretch();

    for (QWidget* p : {p1, p2, p3, p4})
        m_pages->addWidget(p);

    m_back = new QPushButton(QStringLiteral("<< Back"), this);
    m_back->setObjectName(QStringLiteral("Back"));
    m_back->setEnabled(false);
    m_next = new QPushButton(kNext, this);
    m_next->setObjectName(QStringLiteral("Next"));
    m_next->setDefault(true);
    m_closed = new QPushButton(QStringLiteral("Close"), this);
    m_closed->setObjectName(QStringLiteral("Closed"));
    ConnectGuarded(m_back, &QPushButton::clicked, this, [this] { BackClick(); });
    ConnectGuarded(m_next, &QPushButton::clicked, this, [this] { NextClick(); });
    ConnectGuarded(m_closed, &QPushButton::clicked, this, [this] { ClosedClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addSpacing(12);
    buttons->addWidget(m_closed);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(banner);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 8, 14, 0);
    body->addWidget(m_pages, 1);
    body->addLayout(buttons);
    layout->addLayout(body, 1);
    setFixedSize(460, 330);

    RunGuarded(this, [this] { FormCreate(); });
}

int TWizardForm::Page() const {
    return m_pages->currentIndex() + 1;
}

void TWizardForm::showPage(int page) {
    m_pages->setCurrentIndex(page - 1);
}

void TWizardForm::FormCreate() {
    // A real server may take up to the login timeout to answer.
    const ServerCatalog::Listing listing = [] {
        const WaitCursor wait;
        return ListServerDatabases();
    }();
    // What was read before a failure stays listed; the server's own text says
    // why the list ends there.
    m_comboBox1->addItems(listing.names);
    if (!listing.error.isEmpty())
        Dialogs::Show(this, QStringLiteral("Error"), listing.error, Dialogs::Icon::Error);
    else if (listing.names.isEmpty())
        Dialogs::Show(this, kCaption, noDatabaseText(), Dialogs::Icon::Warning);
    m_comboBox1->setCurrentIndex(m_comboBox1->count() > 0 ? 0 : -1);
    showPage(1);
}

bool TWizardForm::finishSetup() {
    const std::optional<QString> failure =
        OperatorStore::SetUp(m_comboBox1->currentText(), m_edit1->text(), m_edit2->text());
    if (failure) {
        Dialogs::Show(this, kCaption,
                      QStringLiteral("The first operator could not be created, so nobody could sign in:\n") +
                          *failure,
                      Dialogs::Icon::Error);
        return false;
    }
    return true;
}

void TWizardForm::NextClick() {
    m_back->setEnabled(true);
    // Each test looks at the page shown at that moment: one click moves one
    // page at most, and "Finish" both sets up and closes.
    if (m_next->text() == kFinish && !finishSetup())
        return;
    switch (Page()) {
    case 4:
        m_setupDone = true;
        accept();
        break;
    case 3:
        if (m_edit2->text() != m_edit3->text()) {
            Dialogs::Show(this, kCaption, QStringLiteral("Password do not match"),
                          Dialogs::Icon::Information);
            break;
        }
        showPage(4);
        m_next->setText(kFinish);
        break;
    case 2:
        if (m_comboBox1->currentIndex() < 0) {
            Dialogs::Show(this, kCaption, QStringLiteral("You must select a DB"), Dialogs::Icon::Information);
            break;
        }
        showPage(3);
        break;
    case 1:
        showPage(2);
        m_back->setEnabled(true);
        break;
    default:
        break;
    }
}

void TWizardForm::BackClick() {
    m_next->setText(kNext);
    if (Page() == 3)
        showPage(2);
    else if (Page() == 4)
        showPage(3);
}

void TWizardForm::ClosedClick() {
    if (Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Are You Sure?"),
                     Dialogs::Icon::Question))
        reject();
    m_setupDone = false;
}
