#include "containers/FindItemsUnit.h"

#include "containers/DuplicateSerials.h"
#include "containers/FoundItemsModel.h"
#include "containers/InventoryUnit.h"
#include "containers/ServerCheck.h"
#include "containers/WareHouseUnit.h"
#include "items/Catalogue.h"
#include "items/CellGrid.h"
#include "items/UndoFile.h"
#include "reports/ReportExport.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/ModalOpener.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kAny = QStringLiteral("(any)");
constexpr int kListed = 10; // skipped items named in the summary

template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* yesNo(QWidget* parent, const char* name) {
    auto* box = named(new QComboBox(parent), name);
    box->addItems({kAny, QStringLiteral("Yes"), QStringLiteral("No")});
    return box;
}

std::optional<bool> yesNoOf(const QComboBox* box) {
    if (box->currentIndex() <= 0)
        return std::nullopt;
    return box->currentIndex() == 1;
}

QString seconds(qint64 ms) {
    return QString::number(double(ms) / 1000.0, 'f', 1) + QStringLiteral(" s");
}

QString plural(qint64 n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

TFindItemsForm::TFindItemsForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("FindItemsForm"));
    setWindowTitle(QStringLiteral("Find Items"));
    resize(900, 620);
    auto* layout = new QVBoxLayout(this);
    m_pages = named(new QTabWidget(this), "Pages");
    m_pages->addTab(buildFindPage(), QStringLiteral("Find"));
    m_pages->addTab(buildDuplicatesPage(), QStringLiteral("Duplicated serials"));
    m_pages->addTab(buildCheckPage(), QStringLiteral("Server check"));
    layout->addWidget(m_pages, 1);
    auto* bottom = new QHBoxLayout;
    m_progress = named(new QProgressBar(this), "Progress");
    m_progress->setValue(0);
    m_stop = named(new QPushButton(QStringLiteral("Stop"), this), "Stop");
    m_stop->setEnabled(false);
    auto* close = named(new QPushButton(QStringLiteral("Close"), this), "CloseButton");
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_stop);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    ConnectGuarded(m_stop, &QPushButton::clicked, this, [this] { StopClick(); });
    connect(close, &QPushButton::clicked, this, &TFindItemsForm::reject);
    RunGuarded(this, [this] {
        m_type->addItem(kAny);
        m_type->addItems(Catalogue::Types());
        ItemTypeChange();
    });
}

TFindItemsForm::~TFindItemsForm() = default;

QTableView* TFindItemsForm::makeView(const char* name, QAbstractItemModel* model,
                                     QSortFilterProxyModel** proxy) {
    *proxy = new QSortFilterProxyModel(this);
    (*proxy)->setSourceModel(model);
    (*proxy)->setSortRole(kSortRole);
    auto* view = named(new QTableView(this), name);
    view->setModel(*proxy);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder); // the order found until a header is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setStretchLastSection(true);
    connect(model, &QAbstractItemModel::modelReset, view, &QTableView::resizeColumnsToContents);
    return view;
}

QWidget* TFindItemsForm::buildFindPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* criteria = new QHBoxLayout;
    auto* left = new QFormLayout;
    m_type = named(new QComboBox(page), "ItemType");
    m_item = named(new QComboBox(page), "ItemName");
    m_nameContains = named(new QLineEdit(page), "NameContains");
    auto* levels = new QHBoxLayout;
    m_levelMin = named(new QSpinBox(page), "LevelMin");
    m_levelMax = named(new QSpinBox(page), "LevelMax");
    for (QSpinBox* s : {m_levelMin, m_levelMax}) {
        s->setRange(0, 15);
        levels->addWidget(s);
    }
    m_levelMax->setValue(15);
    m_serial = named(new QLineEdit(page), "Serial");
    m_serial->setMaxLength(8);
    m_serial->setPlaceholderText(QStringLiteral("8 digits, or 6 behind F9"));
    left->addRow(QStringLiteral("Type:"), m_type);
    left->addRow(QStringLiteral("Item:"), m_item);
    left->addRow(QStringLiteral("Name contains:"), m_nameContains);
    left->addRow(QStringLiteral("Level from/to:"), levels);
    left->addRow(QStringLiteral("Serial:"), m_serial);
    criteria->addLayout(left, 1);

    auto* right = new QFormLayout;
    auto* excellent = new QHBoxLayout;
    m_excellentMode = named(new QComboBox(page), "ExcellentMode");
    m_excellentMode->addItems({QStringLiteral("any of"), QStringLiteral("all of")});
    excellent->addWidget(m_excellentMode);
    for (int i = 0; i < 6; ++i) {
        m_excellent[std::size_t(i)] = new QCheckBox(QString::number(i + 1), page);
        m_excellent[std::size_t(i)]->setObjectName(QStringLiteral("Exc%1").arg(i + 1));
        excellent->addWidget(m_excellent[std::size_t(i)]);
    }
    m_luck = yesNo(page, "Luck");
    m_skill = yesNo(page, "Skill");
    m_ancient = yesNo(page, "Ancient");
    m_unknownOnly =
        named(new QCheckBox(QStringLiteral("Only records the catalogue does not know"), page), "UnknownOnly");
    auto* kinds = new QHBoxLayout;
    const char* kindNames[] = {"InInventories", "InWarehouses", "InVaults"};
    const char* kindTexts[] = {"Inventories", "Warehouses", "Extra vaults"};
    for (int k = 0; k < 3; ++k) {
        m_kinds[std::size_t(k)] = named(new QCheckBox(QString::fromLatin1(kindTexts[k]), page), kindNames[k]);
        m_kinds[std::size_t(k)]->setChecked(true);
        kinds->addWidget(m_kinds[std::size_t(k)]);
    }
    right->addRow(QStringLiteral("Excellent:"), excellent);
    right->addRow(QStringLiteral("Luck:"), m_luck);
    right->addRow(QStringLiteral("Skill:"), m_skill);
    right->addRow(QStringLiteral("Ancient:"), m_ancient);
    right->addRow(QStringLiteral("In:"), kinds);
    right->addRow(m_unknownOnly);
    criteria->addLayout(right, 1);
    layout->addLayout(criteria);

    auto* buttons = new QHBoxLayout;
    auto* find = named(new QPushButton(QStringLiteral("Find"), page), "FindButton");
    auto* exportCsv = named(new QPushButton(QStringLiteral("Export CSV..."), page), "ExportFound");
    m_findStatus = named(new QLabel(page), "FindStatus");
    buttons->addWidget(find);
    buttons->addWidget(m_findStatus, 1);
    buttons->addWidget(exportCsv);
    layout->addLayout(buttons);
    m_found = new FoundItemsModel({}, this);
    QTableView* view = makeView("Results", m_found, &m_foundProxy);
    layout->addWidget(view, 1);
    m_passButtons << find << exportCsv;

    ConnectGuarded(m_type, &QComboBox::currentIndexChanged, this, [this] { ItemTypeChange(); });
    ConnectGuarded(find, &QPushButton::clicked, this, [this] { FindClick(); });
    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportCsv(this, *m_found); });
    ConnectGuarded(view, &QTableView::doubleClicked, this,
                   [this](const QModelIndex& i) { ResultsDblClick(i); });
    return page;
}

QWidget* TFindItemsForm::buildDuplicatesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* help = named(new QLabel(DuplicateSerials::LeftOutText(), page), "DuplicatesHelp");
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* buttons = new QHBoxLayout;
    auto* find = named(new QPushButton(QStringLiteral("Find duplicated serials"), page), "FindDuplicates");
    auto* erase = named(new QPushButton(QStringLiteral("Erase chosen items"), page), "EraseChosen");
    auto* exportCsv = named(new QPushButton(QStringLiteral("Export CSV..."), page), "ExportDuplicates");
    m_duplicatesStatus = named(new QLabel(page), "DuplicatesStatus");
    buttons->addWidget(find);
    buttons->addWidget(m_duplicatesStatus, 1);
    buttons->addWidget(erase);
    buttons->addWidget(exportCsv);
    layout->addLayout(buttons);
    m_duplicates = new FoundItemsModel({true, true}, this);
    QTableView* view = makeView("Duplicates", m_duplicates, &m_duplicatesProxy);
    layout->addWidget(view, 1);
    m_passButtons << find << erase << exportCsv;

    ConnectGuarded(find, &QPushButton::clicked, this, [this] { FindDuplicatesClick(); });
    ConnectGuarded(erase, &QPushButton::clicked, this, [this] { EraseChosenClick(); });
    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportCsv(this, *m_duplicates); });
    ConnectGuarded(view, &QTableView::doubleClicked, this,
                   [this](const QModelIndex& i) { DuplicatesDblClick(i); });
    return page;
}

QWidget* TFindItemsForm::buildCheckPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    auto* run = named(new QPushButton(QStringLiteral("Check server"), page), "RunCheck");
    auto* exportCsv = named(new QPushButton(QStringLiteral("Export CSV..."), page), "ExportCheck");
    buttons->addWidget(run);
    buttons->addStretch();
    buttons->addWidget(exportCsv);
    layout->addLayout(buttons);
    m_checkSummary = named(new QLabel(page), "CheckSummary");
    m_checkSummary->setWordWrap(true);
    layout->addWidget(m_checkSummary);
    m_findings = new CheckFindingsModel(this);
    QSortFilterProxyModel* proxy = nullptr;
    layout->addWidget(makeView("Findings", m_findings, &proxy), 1);
    m_passButtons << run << exportCsv;
    ConnectGuarded(run, &QPushButton::clicked, this, [this] { RunCheckClick(); });
    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportCsv(this, *m_findings); });
    return page;
}

void TFindItemsForm::ItemTypeChange() {
    m_item->clear();
    m_item->addItem(kAny);
    if (m_type->currentIndex() > 0)
        m_item->addItems(Catalogue::SubTypes(m_type->currentText()));
}

ItemSearch::Criteria TFindItemsForm::Criteria() const {
    ItemSearch::Criteria c;
    if (m_type->currentIndex() > 0)
        c.type = m_type->currentText();
    if (m_item->currentIndex() > 0)
        c.item = m_item->currentText();
    c.nameContains = m_nameContains->text().trimmed();
    c.levelMin = m_levelMin->value();
    c.levelMax = m_levelMax->value();
    for (int i = 0; i < 6; ++i)
        if (m_excellent[std::size_t(i)]->isChecked())
            c.excellent |= 1 << i;
    c.allExcellent = m_excellentMode->currentIndex() == 1;
    c.luck = yesNoOf(m_luck);
    c.skill = yesNoOf(m_skill);
    c.ancient = yesNoOf(m_ancient);
    if (!m_serial->text().trimmed().isEmpty())
        c.serial = ItemSearch::SerialOf(m_serial->text());
    c.unknownOnly = m_unknownOnly->isChecked();
    for (std::size_t k = 0; k < m_kinds.size(); ++k)
        c.kinds[k] = m_kinds[k]->isChecked();
    return c;
}

template <class F> void TFindItemsForm::runPass(int passes, F pass) {
    if (m_running)
        return;
    const ServerScan::Options options = ServerScan::Options::FromSettings();
    const auto totals = ServerScan::RowTotals(options);
    int all = 0;
    for (const int t : totals)
        all += t;
    std::array<int, ContainerWalk::kKinds> before{};
    for (int k = 1; k < ContainerWalk::kKinds; ++k)
        before[std::size_t(k)] = before[std::size_t(k - 1)] + totals[std::size_t(k - 1)];
    m_progress->setRange(0, std::max(all * passes, 1));
    m_progress->setValue(0);
    m_running = true;
    m_stopAsked = false;
    m_stop->setEnabled(true);
    for (QPushButton* b : m_passButtons)
        b->setEnabled(false);
    const auto done = qScopeGuard([this] {
        m_running = false;
        m_stop->setEnabled(false);
        for (QPushButton* b : m_passButtons)
            b->setEnabled(true);
    });
    // The bar counts the rows of every pass; events run after each row so
    // that the bar moves and Stop can be clicked.
    const auto progress = [&](int passNumber, ServerScan::Kind kind, int row) {
        const int value = (passNumber - 1) * all + before[std::size_t(kind)] + row;
        if (value <= m_progress->maximum())
            m_progress->setValue(value);
        QCoreApplication::processEvents();
        return !m_stopAsked;
    };
    pass(options, progress);
}

void TFindItemsForm::FindClick() {
    const ItemSearch::Criteria criteria = Criteria(); // a bad serial stops here
    runPass(1, [&](const ServerScan::Options& options, const auto& progress) {
        const ItemSearch::Result r =
            ItemSearch::Find(options, CatalogueIndex::Load(), criteria,
                             [&](ServerScan::Kind kind, int row) { return progress(1, kind, row); });
        QString status = plural(r.matched, "item", "items") + QStringLiteral(" in ") + seconds(r.elapsedMs);
        if (r.matched > qint64(r.items.size()))
            status += QStringLiteral(" (the first %1 shown)").arg(r.items.size());
        if (r.partial)
            status += QStringLiteral(" - stopped: partial results");
        m_found->SetItems(r.items);
        m_findStatus->setText(status);
    });
}

void TFindItemsForm::FindDuplicatesClick() {
    runPass(2, [&](const ServerScan::Options& options, const auto& progress) {
        const DuplicateSerials::Report r = DuplicateSerials::Find(options, CatalogueIndex::Load(), progress);
        std::vector<ServerScan::Found> rows;
        std::vector<int> sizes;
        for (const DuplicateSerials::Group& g : r.groups)
            for (const ServerScan::Found& f : g.holders) {
                rows.push_back(f);
                sizes.push_back(int(g.holders.size()));
            }
        m_duplicates->SetItems(std::move(rows), std::move(sizes));
        QString status = QStringLiteral("%1 held by %2 in %3")
                             .arg(plural(r.serials, "serial", "serials"), plural(r.holders, "item", "items"),
                                  seconds(r.elapsedMs));
        if (r.truncated)
            status += QStringLiteral(" (the first %1 holders shown)").arg(DuplicateSerials::kKeptHolders);
        if (r.partial)
            status += QStringLiteral(" - stopped: partial results");
        m_duplicatesStatus->setText(status);
    });
}

void TFindItemsForm::EraseChosenClick() {
    if (m_running)
        return;
    const std::vector<int> rows = m_duplicates->TickedRows();
    if (rows.empty()) {
        Dialogs::Show(this, QStringLiteral("Information"), QStringLiteral("Tick the items to erase first."),
                      Dialogs::Icon::Information);
        return;
    }
    std::vector<ServerScan::Found> chosen;
    for (const int row : rows)
        chosen.push_back(m_duplicates->ItemAt(row));
    const DuplicateSerials::Plan plan = DuplicateSerials::PlanOf(chosen);
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"),
                      QStringLiteral("Erase %1 in %2? A row is written only if it still holds what was read; "
                                     "an undo file keeps every row written.")
                          .arg(plural(plan.items, "item", "items"), plural(plan.rows, "row", "rows")),
                      Dialogs::Icon::Question))
        return;
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("erase"));
    const DuplicateSerials::Erased erased =
        DuplicateSerials::Erase(ServerScan::Options::FromSettings(), chosen, *undo);
    // The rows erased leave the list; the skipped stay ticked.
    std::vector<int> gone;
    for (const int row : rows) {
        const ServerScan::Found& f = m_duplicates->ItemAt(row);
        const bool skipped = std::any_of(erased.skipped.begin(), erased.skipped.end(), [&](const auto& s) {
            return s.kind == f.kind && s.account == f.account && s.second == f.second && s.cell == f.cell;
        });
        if (!skipped)
            gone.push_back(row);
    }
    m_duplicates->RemoveRows(gone);
    QString text = QStringLiteral("Erased %1 in %2.")
                       .arg(plural(erased.items, "item", "items"), plural(erased.rows, "row", "rows"));
    if (!erased.skipped.empty()) {
        text += QStringLiteral("\rSkipped %1: the column changed since it was read:")
                    .arg(plural(qint64(erased.skipped.size()), "item", "items"));
        for (std::size_t i = 0; i < erased.skipped.size() && i < std::size_t(kListed); ++i)
            text += QStringLiteral("\r") + ServerScan::PlaceText(erased.skipped[i]) +
                    QStringLiteral(", cell %1").arg(erased.skipped[i].cell);
    }
    text += QStringLiteral("\rUndo file: ") + QDir::toNativeSeparators(undo->path());
    Dialogs::Show(this, QStringLiteral("Information"), text, Dialogs::Icon::Information);
}

void TFindItemsForm::RunCheckClick() {
    runPass(1, [&](const ServerScan::Options& options, const auto& progress) {
        const ServerCheck::Report r =
            ServerCheck::Run(options, CatalogueIndex::Load(),
                             [&](ServerScan::Kind kind, int row) { return progress(1, kind, row); });
        m_findings->SetFindings(r.findings);
        m_checkSummary->setText(ServerCheck::SummaryText(r) + QStringLiteral("\n") + seconds(r.elapsedMs));
    });
}

void TFindItemsForm::StopClick() {
    m_stopAsked = true;
}

void TFindItemsForm::reject() {
    if (!m_running)
        QDialog::reject();
}

void TFindItemsForm::ResultsDblClick(const QModelIndex& index) {
    if (index.isValid())
        openEditorOf(m_found->ItemAt(m_foundProxy->mapToSource(index).row()));
}

void TFindItemsForm::DuplicatesDblClick(const QModelIndex& index) {
    if (index.isValid())
        openEditorOf(m_duplicates->ItemAt(m_duplicatesProxy->mapToSource(index).row()));
}

void TFindItemsForm::openEditorOf(const ServerScan::Found& found) {
    if (m_running)
        return;
    WindowContext owner = m_context;
    owner.account = found.account;
    owner.character = found.kind == ServerScan::Kind::Inventory ? found.second : QString();
    const int cell = found.cell;
    // The editors clear the selection when their cells are made, so the
    // cell is chosen once the window stands.
    const auto select = [cell](TContainerForm* form) {
        form->Cells()->BitBtnContextPopup(cell);
        if (QWidget* button = form->Cells()->HasCell(cell) ? form->Cells()->Button(cell) : nullptr)
            button->setFocus();
        return form;
    };
    if (found.kind == ServerScan::Kind::Inventory) {
        ModalOpener::Open(
            this, [select, owner](QWidget* parent) { return select(new TInventoryForm(owner, parent)); });
        return;
    }
    const QString vault = found.kind == ServerScan::Kind::Vault ? found.second : QString();
    ModalOpener::Open(this, [select, vault, owner](QWidget* parent) {
        auto* form = new TWarehouseForm(owner, parent);
        if (!vault.isEmpty())
            form->ShowVault(vault);
        return select(form);
    });
}
