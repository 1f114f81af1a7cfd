#pragma once

#include "core/WindowContext.h"
#include "items/ItemContainer.h"
#include "widgets/Dialogs.h"

#include <QDialog>

#include <functional>
#include <optional>

class QFormLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class TItemCells;
class TItemPropertyEditor;

// What the inventory and the warehouse editors share: the property editor on
// the left with the colour legend and the Save and Close buttons under it,
// the cells of one container column on the right, loading the column from
// the game database and the rules of saving it.
class TContainerForm : public QDialog {
    Q_OBJECT

public:
    [[nodiscard]] TItemPropertyEditor* Editor() const { return m_editor; }
    [[nodiscard]] TItemCells* Cells() const { return m_cells; }
    [[nodiscard]] const ItemContainer& Container() const { return m_container; }

    // Save: each window writes its own statement through SaveWith.
    virtual void AddItemClick() = 0;
    // Close: nothing is written.
    void CloseClick();

protected:
    struct Layout {
        ContainerKind kind;
        const char* closeName; // object name of the Close button
        bool normalInLegend;   // the legend also explains black "Normal Item"
    };
    // Saves only for a signed-in operator of `context`.
    TContainerForm(const Layout& layout, const WindowContext& context, QWidget* parent);

    // A name row at the top of the left column: caption, then the name in
    // red bold in a label called `objectName`.
    QLabel* AddNameRow(const QString& caption, const char* objectName, const QString& name);
    // A row of the top of the left column with a control of its own.
    void AddHeaderRow(QWidget* label, QWidget* field);
    // The right half: the window puts its cell panels here.
    [[nodiscard]] QVBoxLayout* Right() const { return m_right; }

    // The column read from the game database as the container's records;
    // a NULL column or no row gives no records at all (every cell free).
    void LoadColumn(const QByteArray& column);
    // A new view is being loaded: until LoadColumn has run the cells hold no
    // column, and Save refuses to write them over the stored one.
    void ForgetColumn() { m_loaded = false; }
    // Shows every cell's record (one "Unknown Item" box per record the
    // catalogue does not know).
    void ShowCells();
    // The column literal to write: the records, then whatever a longer
    // column held past them.
    [[nodiscard]] QString Literal() const { return m_container.Literal(); }

    struct Message {
        QString caption;
        QString text;
        Dialogs::Icon icon;
    };
    // The write a save makes: whether it changed a row, or nothing when the
    // window refused the operator's input (it has said why).
    using Write = std::function<std::optional<bool>()>;
    // Saving: without a signed-in operator nothing is written or said and
    // the window closes. Otherwise the write runs on the game database;
    // a write that fails, or that finds no row to change, shows `failed`
    // and leaves the window open with every edit the operator made, so that
    // nothing is lost; so does a window whose column never finished loading.
    // Only a save that wrote shows `saved` and closes.
    void SaveWith(const Write& write, const Message& saved, const Message& failed);

private:
    bool m_signedIn;
    ItemContainer m_container;
    TItemPropertyEditor* m_editor = nullptr;
    TItemCells* m_cells = nullptr;
    QFormLayout* m_header = nullptr;
    QVBoxLayout* m_left = nullptr;
    QVBoxLayout* m_right = nullptr;
    bool m_loaded = false;
    // The column is exactly the container in the other record width: shown
    // misread, never saved.
    bool m_wrongWidth = false;
};
