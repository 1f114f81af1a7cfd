#include "reports/DBUnit.h"

#include "reports/CatalogueTableModel.h"
#include "reports/ReportExport.h"
#include "widgets/Dialogs.h"
#include "widgets/FileChooser.h"
#include "widgets/Guard.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

// The grid, able to finish the cell editor that is open.
class CatalogueGrid : public QTableView {
public:
    using QTableView::QTableView;
    void finishEditing(bool commit) {
        if (state() != EditingState)
            return;
        for (QWidget* editor : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (commit)
                commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

namespace {

struct NavButton {
    TDBForm::Nav nav;
    const char* name;
    const char* text;
    const char* tip;
};

const NavButton kNavigator[] = {
    {TDBForm::Nav::First, "First", "|\u25C0", "First record"},
    {TDBForm::Nav::Prior, "Prior", "\u25C0", "Prior record"},
    {TDBForm::Nav::Next, "Next", "\u25B6", "Next record"},
    {TDBForm::Nav::Last, "Last", "\u25B6|", "Last record"},
    {TDBForm::Nav::Insert, "Insert", "+", "Insert record"},
    {TDBForm::Nav::Delete, "Delete", "\u2212", "Delete record"},
    {TDBForm::Nav::Edit, "Edit", "\u25B2", "Edit record"},
    {TDBForm::Nav::Post, "Post", "\u2713", "Post edit"},
    {TDBForm::Nav::Cancel, "Cancel", "\u2717", "Cancel edit"},
    {TDBForm::Nav::Refresh, "Refresh", "\u21BB", "Refresh data"},
};

} // namespace

TDBForm::TDBForm(const WindowContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("DBForm"));
    setWindowTitle(QStringLiteral("DBForm"));

    m_model = new CatalogueTableModel(this);
    m_grid = new CatalogueGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setMinimumSectionSize(8);
    // The narrow columns (20 pixels) show what fits of their text and of
    // their caption from its start, not an ellipsis that would hide even a
    // two-digit key.
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* navigator = new QWidget(this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    auto* navRow = new QHBoxLayout(navigator);
    navRow->setContentsMargins(0, 0, 0, 0);
    navRow->setSpacing(1);
    for (const NavButton& b : kNavigator) {
        auto* tool = new QToolButton(navigator);
        tool->setObjectName(QString::fromLatin1(b.name));
        tool->setText(QString::fromUtf8(b.text));
        tool->setToolTip(QString::fromLatin1(b.tip));
        tool->setFocusPolicy(Qt::StrongFocus);
        tool->setMinimumWidth(28);
        navRow->addWidget(tool);
        const Nav nav = b.nav;
        ConnectGuarded(tool, &QToolButton::clicked, this, [this, nav] { NavigatorClick(nav); });
    }

    auto* exportCsv = new QPushButton(QStringLiteral("Export CSV..."), this);
    exportCsv->setObjectName(QStringLiteral("ExportCsv"));
    auto* importCsv = new QPushButton(QStringLiteral("Import CSV..."), this);
    importCsv->setObjectName(QStringLiteral("ImportCsv"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navigator);
    bottom->addStretch();
    bottom->addWidget(exportCsv);
    bottom->addWidget(importCsv);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(607, 412);

    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportClick(); });
    ConnectGuarded(importCsv, &QPushButton::clicked, this, [this] { ImportClick(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    // Reading the table again (refresh, import) resets the header's sections
    // to the default width; the table's own widths come back each time.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { applyWidths(); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                currentRowChanged(current.row(), previous.row());
            });

    RunGuarded(this, [this] { FormCreate(); });
}

void TDBForm::FormCreate() {
    m_model->Open(m_context.catalogueTable);
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
}

bool TDBForm::postPending() {
    m_grid->finishEditing(true);
    try {
        m_model->Post();
        return true;
    } catch (const std::exception& e) {
        Dialogs::ShowError(this, e);
        return false;
    }
}

void TDBForm::currentRowChanged(int current, int previous) {
    Q_UNUSED(previous);
    const int editing = m_model->EditingRow();
    if (m_returning || editing < 0 || editing == current)
        return;
    // Leaving the row in edit posts it; a row the table refuses becomes
    // current again, still in edit.
    if (!postPending()) {
        m_returning = true;
        m_grid->setCurrentIndex(m_model->index(editing, std::max(0, m_grid->currentIndex().column())));
        m_returning = false;
    }
}

void TDBForm::applyWidths() {
    const QVector<int> widths = CatalogueTableModel::ColumnWidths(m_model->Table());
    for (int c = 0; c < widths.size() && c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, widths[c]);
}

void TDBForm::moveTo(int row) {
    if (m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    m_grid->finishEditing(true);
    m_grid->setCurrentIndex(m_model->index(row, std::max(0, m_grid->currentIndex().column())));
}

void TDBForm::NavigatorClick(Nav button) {
    const int row = m_grid->currentIndex().row();
    switch (button) {
    case Nav::First:
        moveTo(0);
        break;
    case Nav::Prior:
        moveTo(row - 1);
        break;
    case Nav::Next:
        moveTo(row + 1);
        break;
    case Nav::Last:
        moveTo(m_model->rowCount() - 1);
        break;
    case Nav::Insert: {
        if (!postPending())
            return;
        const int at = std::max(0, row);
        m_model->InsertAt(at);
        m_returning = true; // the new row is in edit; moving onto it posts nothing
        m_grid->setCurrentIndex(m_model->index(at, 0));
        m_returning = false;
        m_grid->edit(m_grid->currentIndex());
        break;
    }
    case Nav::Delete:
        if (row < 0)
            return;
        if (!Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                          Dialogs::Icon::Question))
            return;
        m_grid->finishEditing(false);
        m_model->DeleteRow(row);
        break;
    case Nav::Edit:
        if (row < 0)
            return;
        m_model->Edit(row);
        m_grid->edit(m_grid->currentIndex());
        break;
    case Nav::Post:
        postPending();
        break;
    case Nav::Cancel:
        m_grid->finishEditing(false);
        m_model->Cancel();
        break;
    case Nav::Refresh:
        if (!postPending())
            return;
        m_model->Refresh();
        moveTo(row);
        break;
    }
}

void TDBForm::BitBtn1Click() {
    accept();
}

void TDBForm::done(int result) {
    m_grid->finishEditing(true);
    if (m_model->IsEditing()) {
        const QString caption = QStringLiteral("Confirm");
        if (Dialogs::Ask(this, caption, QStringLiteral("Post the changes of the row in edit before closing?"),
                         Dialogs::Icon::Question)) {
            if (!postPending())
                return;
        } else if (Dialogs::Ask(this, caption, QStringLiteral("Discard the changes of the row in edit?"),
                                Dialogs::Icon::Question)) {
            m_model->Cancel();
        } else {
            return;
        }
    }
    QDialog::done(result);
}

void TDBForm::ExportClick() {
    if (!postPending())
        return;
    ExportCsv(this, *m_model);
}

void TDBForm::ImportClick() {
    if (!postPending())
        return;
    const QString file =
        FileChooser::OpenFile(this, QStringLiteral("Import CSV"), QStringLiteral("CSV files (*.csv)"));
    if (file.isEmpty())
        return;
    const CatalogueImport::Plan plan = m_model->PlanImport(file);
    // One arg() call each, so that a "%" in the file's name stays as it is.
    const QString stored = QString::number(plan.stored);
    const QString question =
        plan.rows.isEmpty() ? QStringLiteral("%1 holds no rows. Delete all %2 rows of the table %3?")
                                  .arg(file, stored, m_model->Table())
                            : QStringLiteral("Replace the %1 rows of the table %2 with the %3 rows of %4?")
                                  .arg(stored, m_model->Table(), QString::number(plan.rows.size()), file);
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), question, Dialogs::Icon::Question))
        return;
    m_model->Import(plan);
    Dialogs::Show(this, QStringLiteral("Import CSV"),
                  QStringLiteral("%1 rows imported.").arg(plan.rows.size()), Dialogs::Icon::Information);
}
