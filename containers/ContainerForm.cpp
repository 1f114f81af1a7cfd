#include "containers/ContainerForm.h"

#include "core/UtilitiesUnit.h"
#include "items/CellGrid.h"
#include "items/PropertyEditor.h"
#include "platform/TanorError.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

TContainerForm::TContainerForm(const Layout& layout, const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_signedIn(context.signedIn),
      m_container(layout.kind == ContainerKind::Inventory ? ItemRecord::kInventoryRecords
                                                          : ItemRecord::kWarehouseRecords,
                  ItemRecord::CurrentWidth()) {
    const bool inventory = layout.kind == ContainerKind::Inventory;
    m_editor = new TItemPropertyEditor(
        inventory ? TItemPropertyEditor::Variant::Inventory : TItemPropertyEditor::Variant::Warehouse, this);
    m_cells = new TItemCells(layout.kind, &m_container, m_editor, this);

    m_header = new QFormLayout;
    m_header->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("AddItem"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QLatin1String(layout.closeName));
    // Enter in a text box must not save or close the window.
    for (QPushButton* b : {save, close})
        b->setAutoDefault(false);
    ConnectGuarded(save, &QPushButton::clicked, this, [this] { AddItemClick(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { CloseClick(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);

    m_left = new QVBoxLayout;
    m_left->addLayout(m_header);
    m_left->addWidget(m_editor, 1);
    m_left->addWidget(TItemCells::CreateLegend(layout.normalInLegend, this));
    m_left->addLayout(buttons);

    m_right = new QVBoxLayout;
    auto* root = new QHBoxLayout(this);
    root->addLayout(m_left, 1);
    root->addLayout(m_right);
}

QLabel* TContainerForm::AddNameRow(const QString& caption, const char* objectName, const QString& name) {
    auto* label = new QLabel(name, this);
    label->setObjectName(QLatin1String(objectName));
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_header->addRow(caption, label);
    return label;
}

void TContainerForm::AddHeaderRow(QWidget* label, QWidget* field) {
    m_header->addRow(label, field);
}

namespace {

// The record width the Version setting does not choose, in bytes.
int otherBytes(ItemRecord::Width width) {
    return width == ItemRecord::Width::Narrow ? ItemRecord::Bytes(ItemRecord::Width::Wide)
                                              : ItemRecord::Bytes(ItemRecord::Width::Narrow);
}

QString wrongWidthText(ItemRecord::Width width) {
    return QStringLiteral("This item column holds %1-byte records, but the Version setting reads %2-byte "
                          "records: check the Version setting. The column cannot be saved.")
        .arg(otherBytes(width))
        .arg(ItemRecord::Bytes(width));
}

} // namespace

void TContainerForm::LoadColumn(const QByteArray& column) {
    m_container.Load(BytesToHex(column));
    m_loaded = true;
    m_wrongWidth = column.size() == qsizetype(m_container.Count()) * otherBytes(m_container.Width());
    if (m_wrongWidth)
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), wrongWidthText(m_container.Width()),
                      Dialogs::Icon::Warning);
    m_cells->ClearSelection(); // another container is shown now
}

void TContainerForm::ShowCells() {
    m_cells->ShowStored();
}

void TContainerForm::CloseClick() {
    reject();
}

void TContainerForm::SaveWith(const Write& write, const Message& saved, const Message& failed) {
    if (!m_signedIn) {
        reject();
        return;
    }
    if (m_wrongWidth) {
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), wrongWidthText(m_container.Width()),
                      Dialogs::Icon::Warning);
        return;
    }
    bool written = false;
    try {
        if (!m_loaded)
            throw TanorError(QStringLiteral("The column was not loaded"));
        const std::optional<bool> wrote = write();
        if (!wrote)
            return;
        // No row changed means nothing was written (the row went away
        // meanwhile); saying "updated" then would lose the edits unnoticed.
        written = *wrote;
    } catch (const std::exception&) {
        written = false;
    }
    const Message& said = written ? saved : failed;
    Dialogs::Show(this, said.caption, said.text, said.icon);
    if (written)
        accept();
}
