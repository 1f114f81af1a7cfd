#pragma once

#include "items/ItemInfo.h"
#include "items/ItemValue.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

// The six excellent boxes ([0] the one worth 1 … [5] the one worth 32) follow
// an item's excellent kind: "ar", "we" and "wi" give them that kind's
// captions and enable them; "any" makes every box "Take NO Effect",
// unchecked and disabled; any other kind leaves them as they are.
void ApplyExcellentKind(const std::array<QCheckBox*, 6>& boxes, const QString& kind);

// The panel in which the operator builds an item: type, sub-type, level,
// option, skill, luck, excellent and ancient options, durability and serial.
// It keeps one ItemValue, rewritten step by step after every change and shown
// in VisualHexCode; the cell grids take it when an item is placed. Both container windows embed it; the
// warehouse variant differs in its sub-type list, one set option caption and the information text.
class TItemPropertyEditor : public QWidget {
    Q_OBJECT
public:
    enum class Variant { Inventory, Warehouse };

    // Reads the record width from the settings.
    explicit TItemPropertyEditor(Variant variant, QWidget* parent = nullptr);

    [[nodiscard]] Variant GetVariant() const { return m_variant; }
    [[nodiscard]] ItemRecord::Width Width() const { return m_width; }

    // The item being built.
    [[nodiscard]] const ItemValue& Item() const { return m_item; }
    // Its record text, as VisualHexCode shows it.
    [[nodiscard]] QString RecordText() const { return m_item.Text(); }
    // Back to the starting record of all "0", set number 0, unique text "0".
    void ResetRecord();

    // Fills the type list from the catalogue in the order returned and
    // selects its first entry (no operator event).
    void LoadTypes();
    // Shows the first entry of the type list again (no operator event).
    void SelectFirstType();
    // Shows `type` in the type list (nothing when it is not listed); the
    // sub-type list is not refilled.
    void SelectType(const QString& type);
    [[nodiscard]] QString TypeText() const;
    // Shows the sub-type `name`; false when it is not listed.
    bool SelectSubType(const QString& name);
    [[nodiscard]] QString SubTypeText() const;

    // Remembered values of the chosen item.
    [[nodiscard]] int SetNumber() const { return m_setNumber; }
    void SetSetNumber(int setNumber) { m_setNumber = setNumber; }
    [[nodiscard]] const QString& SetName() const { return m_setName; }
    [[nodiscard]] QString UniqueText() const { return QString::number(m_item.Entry().unique); }

    [[nodiscard]] bool AnyExcellentChecked() const;
    // 0 "None" … 4.
    [[nodiscard]] int SetOptionIndex() const;
    void SetSetOptionIndex(int index);

    // ---- operations

    // Refills the sub-type list from the type list, picks a sub-type and
    // rebuilds the record. `byOperator`: the operator changed the type, so a
    // chosen set piece jumps to the piece of the same set in the new type.
    void SubTypeItem(bool byOperator = false);
    // Reads the chosen item from the catalogue and rebuilds the record.
    void GetSubtype();
    void SetSkilLuckOptionLevel();
    void SetDuration();
    // False, after saying so, while the durability box holds no whole number
    // from 0 to 255 (emptied or still being typed): nothing is placed then.
    [[nodiscard]] bool CheckDurability();
    void GetAncient();
    // Writes the serial: drawn from the game server when "Auto Serial" is
    // checked (one serial per call), else the typed one.
    void GetAutoSerial();
    void ActivateSerial();
    // The information text of a record (looks it up in the catalogue).
    [[nodiscard]] QString showitem(const QString& record) const;

Q_SIGNALS:
    void RecordChanged(const ItemValue& item);

private:
    void buildControls();
    void connectEvents();
    void setItem(const ItemValue& item);
    [[nodiscard]] int excellentSum() const;

    Variant m_variant;
    ItemRecord::Width m_width;
    ItemValue m_item;
    int m_setNumber = 0;
    QString m_setName;

    QLineEdit* m_hexCode = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_subType = nullptr;
    QLineEdit* m_durability = nullptr;
    QLineEdit* m_serial = nullptr;
    QCheckBox* m_skill = nullptr;
    QCheckBox* m_luck = nullptr;
    QCheckBox* m_autoSerial = nullptr;
    QComboBox* m_level = nullptr;
    QComboBox* m_option = nullptr;
    std::array<QCheckBox*, 6> m_excellent{}; // [0] = Visualexc1 (value 1) … [5] = Visualexc6 (32)
    QGroupBox* m_setOptions = nullptr;
    QButtonGroup* m_setOptionButtons = nullptr;
};
