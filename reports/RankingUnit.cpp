#include "reports/RankingUnit.h"

#include "core/QueryHelpers.h"
#include "core/ResetSettings.h"
#include "core/UtilitiesUnit.h"
#include "platform/TanorError.h"
#include "reports/RankingTable.h"
#include "reports/ReportExport.h"
#include "reports/ReportStatements.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using ReportStatements::RankingGroup;

namespace {

enum Value { Acc, Level, ClassType, Strength, Agility, Vitality, Energy, Charisma, REset, ValueCount };

const char* const kValueNames[ValueCount] = {"Acc",      "Level",  "ClassType", "Strength", "Agility",
                                             "Vitality", "Energy", "Charisma",  "REset"};

// The columns of the first row as text; empty texts when there is none.
QStringList firstRow(DataSource source, const QString& text, int columns) {
    Query q = OpenOn(source, text);
    QStringList values;
    for (int i = 0; i < columns; ++i)
        values << (q.Eof() ? QString() : q.Fields(i).AsString());
    return values;
}

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
    for (int i = 0; i < ValueCount; ++i) {
        auto* caption = new QLabel(captions[i], details);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* value = new QLabel(details);
        value->setObjectName(QString::fromLatin1(kValueNames[i]));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(120);
        grid->addWidget(caption, i, 0);
        grid->addWidget(value, i, 1);
        m_captions << caption;
        m_values << value;
    }
    grid->setRowStretch(ValueCount, 1);

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
    ConnectGuarded(m_res, &QListWidget::itemClicked, this, [this] { ResClick(); });
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
    for (int i = 0; i < ValueCount; ++i)
        m_captions[i]->setText(captions[i]);
    const DataSource source =
        group == RankingGroup::DevilSquare ? DataSource::Ranking : DataSource::TanorOnline;
    m_res->addItems(ListOn(source, ReportStatements::RankingTop(group)));
}

void TRankingForm::ResClick() {
    const QListWidgetItem* chosen = m_res->currentItem();
    // An empty list, or nothing chosen: there is no entry to show.
    if (!chosen || m_group->ItemIndex() < 0)
        return;
    switch (RankingGroup(m_group->ItemIndex())) {
    case RankingGroup::Character:
        showCharacter(chosen->text());
        break;
    case RankingGroup::DevilSquare:
        showDevilSquare(chosen->text());
        break;
    case RankingGroup::Guild:
        showGuild(chosen->text());
        break;
    }
}

void TRankingForm::showCharacter(const QString& name) {
    QStringList values =
        firstRow(DataSource::TanorOnline, ReportStatements::RankingDetails(RankingGroup::Character, name),
                 Charisma + 1);
    bool isCode = false;
    const int code = values[ClassType].toInt(&isCode);
    if (isCode)
        values[ClassType] = RankingTable::ClassName(code);
    for (int i = Acc; i <= Charisma; ++i)
        m_values[i]->setText(values[i]);

    const ResetSettings resets = ResetSettings::Read();
    if (resets.enabled == 0) {
        m_values[REset]->setText(QStringLiteral("Not Avaible"));
        return;
    }
    const QString invalid = resets.InvalidName();
    if (!invalid.isEmpty())
        throw TanorError(QStringLiteral("The reset table and columns of the settings must be plain names; "
                                        "%1 of section %2 is not")
                             .arg(invalid, ResetSettings::kSection));
    m_values[REset]->setText(
        firstRow(DataSource::TanorOnline, ResetStatements::ReadResets(resets, name), 1).front());
}

void TRankingForm::showDevilSquare(const QString& name) {
    Query q = OpenOn(DataSource::Ranking, ReportStatements::RankingDetails(RankingGroup::DevilSquare, name));
    const bool found = !q.Eof();
    m_values[Acc]->setText(found ? q.Fields(0).AsString() : QString());
    m_values[Level]->setText(QString::number((found ? q.Fields(1).AsInteger() : 0) + 1));
    m_values[ClassType]->setText(found ? q.Fields(2).AsString() : QString());
    m_values[Strength]->setText(found ? q.Fields(3).AsString() : QString());
}

void TRankingForm::showGuild(const QString& name) {
    const QStringList values =
        firstRow(DataSource::TanorOnline, ReportStatements::RankingDetails(RankingGroup::Guild, name), 3);
    for (int i = Acc; i <= ClassType; ++i)
        m_values[i]->setText(values[i]);
}

void TRankingForm::ExportClick() {
    ExportCsv(this, *m_res->model(), {QStringLiteral("Name")});
}
