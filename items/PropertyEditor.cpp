#include "items/PropertyEditor.h"

#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"
#include "items/ItemSerials.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kNoDurability = QStringLiteral("Durability must be a whole number between 0 and 255");

using Captions = std::array<const char*, 6>; // [0] = Visualexc1 … [5] = Visualexc6

const Captions kStartCaptions = {"Increases rate of Zen +40%", "Defence Success Rate +10%",
                                 "Reflect Damage +5%",         "Damage Decrease +4%",
                                 "Increase Max. Mana +4%",     "Increase Max. HP +4%"};
const Captions kArmourCaptions = {"Increase Rate o Zen +40%", "Defense Success Rate + 10%",
                                  "Reflect Damage +5%",       "Damage Decrease +4%",
                                  "Increase Max Mana + 4%",   "Increase Max HP +4%"};
const Captions kWeaponCaptions = {"Increase Mana After Hunt +Mana/8",
                                  "Increase Life After Hunt +Life/8",
                                  "Increase Attacking(Wizandry) speed +7",
                                  "Increase Damage +2%",
                                  "Increase Damage +Level/20",
                                  "Excellent Damage Rate +10%"};
const Captions kWingCaptions = {"Increase Max HP",
                                "Increase Max Mana",
                                "Ignore Opponent's Defensive Power by 3%",
                                "Increase Max Stamina",
                                "Increase Attacking(Wizandry) speed +5",
                                "Take NO Effect"};

constexpr int kExcellentValues[6] = {1, 2, 4, 8, 16, 32};

QComboBox* listOf(QWidget* parent, const char* name, const QStringList& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(entries);
    box->setCurrentIndex(0);
    return box;
}

} // namespace

TItemPropertyEditor::TItemPropertyEditor(Variant variant, QWidget* parent)
    : QWidget(parent), m_variant(variant), m_width(ItemRecord::CurrentWidth()), m_item(m_width) {
    buildControls();
    connectEvents();
}

void TItemPropertyEditor::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* hexRow = new QHBoxLayout;
    hexRow->addWidget(new QLabel(QStringLiteral("Hex Code:"), this));
    m_hexCode = new QLineEdit(m_item.Text(), this);
    m_hexCode->setObjectName(QStringLiteral("VisualHexCode"));
    m_hexCode->setReadOnly(true);
    m_hexCode->setToolTip(QStringLiteral("Displays the current hex string of the item"));
    m_hexCode->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_hexCode->setMinimumWidth(m_hexCode->fontMetrics().horizontalAdvance(QString(34, QLatin1Char('0'))));
    hexRow->addWidget(m_hexCode, 1);
    layout->addLayout(hexRow);

    auto* property = new QGroupBox(QStringLiteral("Item Property"), this);
    auto* form = new QFormLayout(property);
    m_type = listOf(property, "VisualType", {});
    m_subType = listOf(property, "VisualSubType", {});
    // The warehouse keeps the catalogue's order and a shorter open list.
    m_subType->setMaxVisibleItems(m_variant == Variant::Warehouse ? 8 : 10);
    m_durability = new QLineEdit(QStringLiteral("255"), property);
    m_durability->setObjectName(QStringLiteral("VisualDurability"));
    m_durability->setMaxLength(3);
    m_serial = new QLineEdit(QStringLiteral("00000000"), property);
    m_serial->setObjectName(QStringLiteral("VisualSerial"));
    m_serial->setMaxLength(8);
    m_serial->setToolTip(QStringLiteral("Item Serial"));
    m_serial->setReadOnly(true);
    m_skill = new QCheckBox(QStringLiteral("Skill"), property);
    m_skill->setObjectName(QStringLiteral("VisualSkill"));
    m_luck = new QCheckBox(QStringLiteral("Luck"), property);
    m_luck->setObjectName(QStringLiteral("VisualLuck"));
    m_autoSerial = new QCheckBox(QStringLiteral("Auto Serial"), property);
    m_autoSerial->setObjectName(QStringLiteral("VisualAutoSerial"));
    m_autoSerial->setChecked(true);
    QStringList levels{QStringLiteral("0")};
    for (int level = 1; level <= 13; ++level)
        levels.append(QStringLiteral("+%1").arg(level));
    m_level = listOf(property, "VisualLevel", levels);
    m_option =
        listOf(property, "VisualOption",
               {QStringLiteral("0"), QStringLiteral("+4"), QStringLiteral("+8"), QStringLiteral("+12"),
                QStringLiteral("+16"), QStringLiteral("+20"), QStringLiteral("+24"), QStringLiteral("+28")});
    form->addRow(QStringLiteral("Item Type:"), m_type);
    form->addRow(QStringLiteral("SubType:"), m_subType);
    form->addRow(QStringLiteral("Durability:"), m_durability);
    form->addRow(QStringLiteral("Serial:"), m_serial);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_skill);
    checks->addWidget(m_luck);
    checks->addWidget(m_autoSerial);
    checks->addStretch(1);
    form->addRow(checks);
    form->addRow(QStringLiteral("Level:"), m_level);
    form->addRow(QStringLiteral("Option:"), m_option);
    layout->addWidget(property);

    auto* excellent = new QGroupBox(QStringLiteral("Excellent Options"), this);
    auto* excLayout = new QVBoxLayout(excellent);
    for (int i = 5; i >= 0; --i) { // Visualexc6 on top
        m_excellent[i] = new QCheckBox(QLatin1String(kStartCaptions[i]), excellent);
        m_excellent[i]->setObjectName(QStringLiteral("Visualexc%1").arg(i + 1));
        excLayout->addWidget(m_excellent[i]);
    }
    layout->addWidget(excellent);

    m_setOptions = new QGroupBox(QStringLiteral("Item Set Options (Ancient)"), this);
    m_setOptions->setObjectName(QStringLiteral("VisualSetOptions"));
    auto* setLayout = new QGridLayout(m_setOptions);
    m_setOptionButtons = new QButtonGroup(m_setOptions);
    const QStringList setCaptions = {
        QStringLiteral("None"), QStringLiteral("+5 (No Opt)"), QStringLiteral("+5"),
        m_variant == Variant::Warehouse ? QStringLiteral("+10 (No Opt)") : QStringLiteral("+10(No Opt)"),
        QStringLiteral("+10")};
    for (int i = 0; i < setCaptions.size(); ++i) {
        auto* radio = new QRadioButton(setCaptions[i], m_setOptions);
        m_setOptionButtons->addButton(radio, i);
        setLayout->addWidget(radio, i / 3, i % 3); // three columns, filled row by row
    }
    m_setOptionButtons->button(0)->setChecked(true);
    layout->addWidget(m_setOptions);
    layout->addStretch(1);
}

void TItemPropertyEditor::connectEvents() {
    // Operator changes only: programmatic selections (window code, slots)
    // run the operations themselves.
    ConnectGuarded(m_type, &QComboBox::activated, this, [this] { SubTypeItem(true); });
    ConnectGuarded(m_subType, &QComboBox::activated, this, [this] { GetSubtype(); });
    ConnectGuarded(m_level, &QComboBox::activated, this, [this] { GetSubtype(); });
    ConnectGuarded(m_option, &QComboBox::activated, this, [this] { GetSubtype(); });
    ConnectGuarded(m_durability, &QLineEdit::textChanged, this, [this] { SetDuration(); });
    for (QCheckBox* box : {m_skill, m_luck})
        ConnectGuarded(box, &QCheckBox::clicked, this, [this] { GetSubtype(); });
    for (QCheckBox* box : m_excellent)
        ConnectGuarded(box, &QCheckBox::clicked, this, [this] { GetSubtype(); });
    ConnectGuarded(m_setOptionButtons, &QButtonGroup::idClicked, this, [this] { GetSubtype(); });
    ConnectGuarded(m_autoSerial, &QCheckBox::clicked, this, [this] { ActivateSerial(); });
}

void TItemPropertyEditor::setItem(const ItemValue& item) {
    const bool changed = !(item == m_item);
    m_item = item;
    if (!changed)
        return;
    m_hexCode->setText(m_item.Text());
    Q_EMIT RecordChanged(m_item);
}

void TItemPropertyEditor::ResetRecord() {
    setItem(ItemValue(m_width));
    m_setNumber = 0;
}

void TItemPropertyEditor::LoadTypes() {
    m_type->clear();
    m_type->addItems(Catalogue::Types());
    SelectFirstType();
}

void TItemPropertyEditor::SelectFirstType() {
    m_type->setCurrentIndex(m_type->count() > 0 ? 0 : -1);
}

void TItemPropertyEditor::SelectType(const QString& type) {
    m_type->setCurrentIndex(m_type->findText(type));
}

QString TItemPropertyEditor::TypeText() const {
    return m_type->currentText();
}

bool TItemPropertyEditor::SelectSubType(const QString& name) {
    const int index = m_subType->findText(name);
    if (index < 0)
        return false;
    m_subType->setCurrentIndex(index);
    return true;
}

QString TItemPropertyEditor::SubTypeText() const {
    return m_subType->currentText();
}

bool TItemPropertyEditor::AnyExcellentChecked() const {
    return std::any_of(m_excellent.begin(), m_excellent.end(),
                       [](const QCheckBox* b) { return b->isChecked(); });
}

int TItemPropertyEditor::SetOptionIndex() const {
    return std::max(0, m_setOptionButtons->checkedId());
}

void TItemPropertyEditor::SetSetOptionIndex(int index) {
    if (QAbstractButton* button = m_setOptionButtons->button(index))
        button->setChecked(true);
}

int TItemPropertyEditor::excellentSum() const {
    int sum = 0;
    for (int i = 0; i < 6; ++i)
        sum += m_excellent[i]->isChecked() ? kExcellentValues[i] : 0;
    return sum;
}

void TItemPropertyEditor::SubTypeItem(bool byOperator) {
    const QString type = m_type->currentText();
    QStringList names = Catalogue::SubTypes(type);
    if (m_variant == Variant::Inventory) {
        std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    }
    m_subType->clear();
    m_subType->addItems(names);
    m_subType->setCurrentIndex(names.isEmpty() ? -1 : 0);
    if (byOperator && m_setNumber != 0) {
        const QString piece = Catalogue::SameSetInType(m_setNumber, type);
        if (!piece.isEmpty())
            SelectSubType(piece);
    }
    GetSubtype();
}

void ApplyExcellentKind(const std::array<QCheckBox*, 6>& boxes, const QString& kind) {
    const Captions* captions = nullptr;
    if (kind == QLatin1String("ar"))
        captions = &kArmourCaptions;
    else if (kind == QLatin1String("we"))
        captions = &kWeaponCaptions;
    else if (kind == QLatin1String("wi"))
        captions = &kWingCaptions;
    if (captions) {
        for (int i = 0; i < 6; ++i) {
            boxes[i]->setText(QLatin1String((*captions)[i]));
            boxes[i]->setEnabled(true);
        }
    } else if (kind == QLatin1String("any")) {
        for (QCheckBox* box : boxes) {
            box->setText(QStringLiteral("Take NO Effect"));
            box->setChecked(false);
            box->setEnabled(false);
        }
    }
}

void TItemPropertyEditor::GetSubtype() {
    const QString name = m_subType->currentText();
    if (name.isEmpty())
        return;
    const Catalogue::CatalogueItem item = Catalogue::Chosen(name, m_width);
    // A name the catalogue lost meanwhile leaves the record as it is.
    if (!item.found)
        return;
    ApplyExcellentKind(m_excellent, item.excKind);
    m_setNumber = item.setNumber;
    ItemValue next = m_item;
    next.SetEntry(item);
    setItem(next);
    m_setName = item.setItem == QLatin1String("any") ? QString() : item.setItem;
    SetSkilLuckOptionLevel();
}

void TItemPropertyEditor::SetSkilLuckOptionLevel() {
    SetDuration();
    ItemValue next = m_item;
    next.SetOptions(m_skill->isChecked(), std::max(0, m_level->currentIndex()), m_luck->isChecked(),
                    std::max(0, m_option->currentIndex()), excellentSum());
    setItem(next);
    GetAncient();
}

void TItemPropertyEditor::SetDuration() {
    const QString text = m_durability->text();
    // An emptied box is being typed into: the record keeps its durability
    // until a number stands there.
    if (text.isEmpty())
        return;
    bool ok = false;
    const int durability = text.toInt(&ok);
    if (!ok) {
        Dialogs::ShowPlain(this, kNoDurability);
        return;
    }
    if (durability < 0 || durability > 255) {
        Dialogs::ShowPlain(this, QStringLiteral("Values must be between 0 and 255"));
        m_durability->setText(QStringLiteral("0")); // its change event writes durability 0
        return;
    }
    ItemValue next = m_item;
    next.SetDurability(durability);
    setItem(next);
}

bool TItemPropertyEditor::CheckDurability() {
    bool ok = false;
    const int durability = m_durability->text().toInt(&ok);
    if (ok && durability >= 0 && durability <= 255)
        return true;
    Dialogs::ShowPlain(this, kNoDurability);
    return false;
}

void TItemPropertyEditor::GetAncient() {
    ItemValue next = m_item;
    next.SetAncient(SetOptionIndex());
    setItem(next);
}

void TItemPropertyEditor::GetAutoSerial() {
    const bool marker = m_item.HasSerialMarker();
    ItemValue next = m_item;
    if (m_autoSerial->isChecked()) {
        m_serial->setReadOnly(true);
        const QString digits = ItemSerials::Draw(marker);
        m_serial->setText(digits);
        next.SetSerial(digits);
        setItem(next);
        return;
    }
    m_serial->setReadOnly(false);
    next.SetSerial(ItemRecord::TypedSerialDigits(m_serial->text(), marker));
    setItem(next);
}

void TItemPropertyEditor::ActivateSerial() {
    if (m_autoSerial->isChecked()) {
        m_serial->setReadOnly(true);
        GetAutoSerial();
        return;
    }
    m_serial->setText(QStringLiteral("00000000"));
    m_serial->setReadOnly(false);
}

QString TItemPropertyEditor::showitem(const QString& record) const {
    ItemInfo::CatalogueRow row;
    if (!ItemRecord::IsEmpty(record, m_width))
        row = Catalogue::InfoLookup(record, m_width);
    return ItemInfo::Text(record, m_width, row,
                          m_variant == Variant::Warehouse ? ItemInfo::Wording::Warehouse
                                                          : ItemInfo::Wording::Inventory);
}
