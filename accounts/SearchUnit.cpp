#include "accounts/SearchUnit.h"

#include "accounts/NameSearch.h"
#include "widgets/Guard.h"
#include "widgets/MainIcons.h"
#include "widgets/WidgetKit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum Item { Accounts = 0, Characters = 1, Guilds = 2 };

NameSearch::Target TargetOf(int item) {
    switch (item) {
    case Accounts:
        return NameSearch::Target::Accounts;
    case Guilds:
        return NameSearch::Target::Guilds;
    default:
        return NameSearch::Target::Characters;
    }
}

} // namespace

TSearchForm::TSearchForm(QWidget* parent, SearchMode mode) : QDialog(parent), m_mode(mode) {
    setObjectName(QStringLiteral("SearchForm"));
    setWindowTitle(QStringLiteral("Search..."));

    auto* wordGroup = new QGroupBox(QStringLiteral("Word to search..."), this);
    m_search = new QLineEdit(wordGroup);
    m_search->setObjectName(QStringLiteral("Search"));
    auto* searchButton = new QPushButton(wordGroup);
    searchButton->setObjectName(QStringLiteral("SearchButton"));
    searchButton->setToolTip(QStringLiteral("Search"));
    searchButton->setIcon(GlyphIcon(Glyph::Find, palette().color(QPalette::WindowText)));
    auto* wordRow = new QHBoxLayout(wordGroup);
    wordRow->addWidget(m_search, 1);
    wordRow->addWidget(searchButton);

    m_engine = new RadioGroup(
        QStringLiteral("Search for"),
        {QStringLiteral("Accounts"), QStringLiteral("Characters"), QStringLiteral("Guilds")}, this);
    m_engine->setObjectName(QStringLiteral("Engine"));
    m_engine->SetItemIndex(Characters);

    m_res = new QListWidget(this);
    m_res->setObjectName(QStringLiteral("Res"));
    auto* found = new QLabel(QStringLiteral("Items Found:"), this);
    m_recordC = new QLabel(QStringLiteral("0"), this);
    m_recordC->setObjectName(QStringLiteral("RecordC"));
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(found);
    countRow->addWidget(m_recordC);
    countRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(wordGroup, 0, 0);
    grid->addWidget(m_engine, 0, 1, 2, 1);
    grid->addWidget(m_res, 1, 0, 2, 1);
    grid->addLayout(countRow, 3, 0);
    grid->addLayout(buttons, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);
    resize(380, 300);

    ConnectGuarded(searchButton, &QPushButton::clicked, this, [this] { SearchClick(); });
    ConnectGuarded(m_search, &QLineEdit::returnPressed, this, [this] { SearchClick(); });
    ConnectGuarded(ok, &QPushButton::clicked, this, [this] { OkClick(); });
    ConnectGuarded(m_res, &QListWidget::itemDoubleClicked, this, [this] { OkClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    RunGuarded(this, [this] { FormCreate(); });
}

void TSearchForm::FormCreate() {
    switch (m_mode) {
    case SearchMode::Characters:
        m_engine->SetItemIndex(Characters);
        m_engine->setEnabled(false);
        break;
    case SearchMode::Guilds:
        m_engine->SetItemIndex(Guilds);
        m_engine->setEnabled(false);
        break;
    default:
        m_engine->SetItemIndex(Characters);
        m_engine->setEnabled(true);
        break;
    }
}

void TSearchForm::SearchClick() {
    m_res->clear();
    const QStringList names = NameSearch::Find(TargetOf(m_engine->ItemIndex()), m_search->text());
    m_res->addItems(names);
    if (!names.isEmpty())
        m_res->setCurrentRow(0);
    m_recordC->setText(QString::number(names.size()));
}

void TSearchForm::OkClick() {
    QListWidgetItem* chosen = m_res->currentItem();
    // Nothing found, nothing chosen: nothing to hand back.
    if (!chosen) {
        reject();
        return;
    }
    const QString name = chosen->text();
    switch (m_engine->ItemIndex()) {
    case Accounts:
        m_found.account = name;
        break;
    case Characters:
        m_found.character = name;
        break;
    case Guilds:
        m_found.guild = name;
        break;
    default:
        break;
    }
    accept();
}
