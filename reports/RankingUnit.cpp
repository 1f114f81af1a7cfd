#include "reports/RankingUnit.h"

#include "reports/Csv.h"
#include "reports/RankingTable.h"
#include "reports/ReportExport.h"
#include "reports/ReportTypes.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"
#include "widgets/WidgetKit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using ReportQueries::RankingGroup;

namespace {

constexpr int kValueCount = 9;
const char* const kValueNames[kValueCount] = {"Acc",      "Level",  "ClassType", "Strength", "Agility",
                                              "Vitality", "Energy", "Charisma",  "REset"};

} // namespace

TRankingForm::TRankingForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RankingForm"));
    setWindowTitle(QStringLiteral("Ranking"));

    m_group = new RadioGroup(
        QStringLiteral("Search in"),
        {QStringLiteral("Character"), QStringLiteral("Devil Square"), QStringLiteral("Guild")}, this);
    m_group->setObjectName(QStringLiteral("Group"));
    m_group->SetItemIndex(-1);
    m_res = new QListWidget(this);
    m_res->setObjectName(QStringLiteral("Res"));

    auto* details = new QGroupBox(QStringLiteral("Details"), this);
    auto* grid = new QGridLayout(details);
    const QStringList captions = RankingTable::Captions(RankingGroup::Character);
    // The captions change with the group and the values with the entry: the
    // caption column is as wide as the widest caption of any group, and a
    // value never widens the window (a long one is cut at the edge).
    int captionWidth = 0;
    for (const auto group : {RankingGroup::Character, RankingGroup::DevilSquare, RankingGroup::Guild}) {
        for (const QString& caption : RankingTable::Captions(group))
            captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(caption));
    }
    for (int i = 0; i < kValueCount; ++i) {
        auto* caption = new QLabel(captions[i], details);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        caption->setMinimumWidth(captionWidth);
        auto* value = new QLabel(details);
        value->setObjectName(QString::fromLatin1(kValueNames[i]));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        value->setMinimumWidth(120);
        grid->addWidget(caption, i, 0);
        grid->addWidget(value, i, 1);
        m_captions << caption;
        m_values << value;
    }
    grid->setRowStretch(kValueCount, 1);

    auto* exportCsv = new QPushButton(QStringLiteral("Export CSV..."), this);
    exportCsv->setObjectName(QStringLiteral("ExportCsv"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));

    auto* left = new QVBoxLayout;
    left->addWidget(m_group);
    left->addWidget(m_res, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(details, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportCsv);
    buttons->addStretch();
    buttons->addWidget(close);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right, 1);
    resize(460, 360);

    ConnectGuarded(m_group, &RadioGroup::itemClicked, this, [this] { GroupClick(); });
    ListChoice::Follow(m_res, this, [this] { ResClick(); });
    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TRankingForm::clearValues() {
    for (QLabel* value : m_values)
        value->clear();
}

void TRankingForm::GroupClick() {
    const int item = m_group->ItemIndex();
    if (item < 0)
        return;
    const auto group = RankingGroup(item);
    m_res->clear();
    clearValues();
    const QStringList captions = RankingTable::Captions(group);
    for (int i = 0; i < kValueCount; ++i)
        m_captions[i]->setText(captions[i]);
    m_res->addItems(RankingTable::Entries(group));
}

void TRankingForm::ResClick() {
    const QString chosen = ListChoice::ChosenText(m_res);
    // An empty list, or nothing chosen: there is no entry to show.
    if (chosen.isEmpty() || m_group->ItemIndex() < 0) {
        clearValues();
        return;
    }
    const QStringList values = RankingTable::Details(RankingGroup(m_group->ItemIndex()), chosen);
    for (int i = 0; i < kValueCount; ++i)
        m_values[i]->setText(values[i]);
}

void TRankingForm::ExportClick() {
    const int item = m_group->ItemIndex();
    if (item < 0) {
        ExportCsv(this, *m_res->model(), {QStringLiteral("Name")});
        return;
    }
    const QStringList entries = ListChoice::Entries(m_res);
    ExportCsv(this, [&] {
        const RankingTable::Sheet sheet = RankingTable::SheetOf(RankingGroup(item), entries);
        return Csv::Write(sheet.header, sheet.rows);
    });
}
