#include "containers/WipeUnit.h"

#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"
#include "items/ItemRecord.h"
#include "items/PropertyEditor.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kTypes[] = {
    "Type  0:  Swords",
    "Type  1:  Axes",
    "Type  2:  Maces",
    "Type  3:  Spears",
    "Type  4:  Bows/Corssbows",
    "Type  5:  Staffs",
    "Type  6:  Shields",
    "Type  7:  Helms",
    "Type  8:  Armors",
    "Type  9:  Pants",
    "Type 10: Gloves",
    "Type 11: Boots",
    "Type 12: Wings/Jewels/Orbs",
    "Type 13: Guardian/Rings/Pendants/Others",
    "Type 14: Potions/Invitations/Jewels/Others",
    "Type 15: Scrolls ",
};

const QString kAnyItem = QStringLiteral("Any Item");

// Captions of the six excellent boxes at opening; the chosen item's
// excellent kind then sets them as in the property editor.
const std::array<const char*, 6> kOpening = {"Zen/Mana/HP",          "Def.Rate/Mana/MP",
                                             "Reflect/Speed/Ignore", "D.Dec/Dmg 2%/Stamina",
                                             "Mana/Dmg Lvl/Speed",   "HP/ExcRate"};

// Entries of the ancient option group and the character each stands for.
struct AncientEntry {
    const char* caption;
    char16_t character;
};
const AncientEntry kAncient[] = {
    {"None", u'0'}, {"+5", u'5'}, {"+10", u'9'}, {"+5 (No opt)", u'6'}, {"+10 (No opt)", u'A'},
};

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

QLabel* figure(QWidget* parent, const QString& name, const QString& value) {
    auto* label = new QLabel(value, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    return label;
}

QString gameDatabase() {
    return BuildConnectionString(DataSource::TanorOnline);
}

QString setting(const char* key) {
    return ReadSetting(QStringLiteral("Vaults"), text(key));
}

} // namespace

// While a walk runs, the commands and Close are unavailable; afterwards (also
// after a failure) the reading query lets its connection go.
class TWipeForm::WalkScope {
public:
    explicit WalkScope(TWipeForm* form) : m_form(form) { m_form->setWalking(true); }
    ~WalkScope() {
        m_form->m_read.Close();
        m_form->setWalking(false);
    }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;

private:
    TWipeForm* m_form;
};

TWipeForm::TWipeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WipeForm"));
    setWindowTitle(QStringLiteral("Wipe Items"));
    buildWindow();
    RunGuarded(this, [this] { FormCreate(); });
}

TWipeForm::~TWipeForm() = default;

// ---------------------------------------------------------------- layout

void TWipeForm::buildWindow() {
    auto* selections = new QGridLayout;
    selections->addWidget(buildGeneral(), 0, 0);
    selections->addWidget(buildSpecific(), 0, 1);
    selections->addWidget(buildExcellent(), 1, 0);
    selections->addWidget(buildAncient(), 1, 1);
    selections->setColumnStretch(0, 1);
    selections->setColumnStretch(1, 1);

    BitBtn1 = new QPushButton(QStringLiteral("Wipe!"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Close"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { Button1Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    WipeFollowing1 = PopupMenu1->addAction(QStringLiteral("Wipe Following General Selection"));
    WipeFollowing1->setObjectName(QStringLiteral("WipeFollowing1"));
    WipeFollowingSpecificSelection1 =
        PopupMenu1->addAction(QStringLiteral("Wipe Following Specific Selection"));
    WipeFollowingSpecificSelection1->setObjectName(QStringLiteral("WipeFollowingSpecificSelection1"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    WipeALLItems1 = PopupMenu1->addAction(QStringLiteral("Wipe ALL Items"));
    WipeALLItems1->setObjectName(QStringLiteral("WipeALLItems1"));
    ConnectGuarded(WipeFollowing1, &QAction::triggered, this, [this] { WipeFollowing1Click(); });
    ConnectGuarded(WipeFollowingSpecificSelection1, &QAction::triggered, this,
                   [this] { WipeFollowingSpecificSelection1Click(); });
    ConnectGuarded(WipeALLItems1, &QAction::triggered, this, [this] { WipeALLItems1Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* root = new QVBoxLayout(this);
    root->addLayout(selections);
    root->addWidget(buildProgress());
    root->addLayout(buttons);
}

QGroupBox* TWipeForm::buildGeneral() {
    auto* box = new QGroupBox(QStringLiteral("General Selection"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    ComboBox1 = new QComboBox(box);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* entry : kTypes)
        ComboBox1->addItem(text(entry));
    ComboBox1->setCurrentIndex(0);
    auto* according = new QLabel(QStringLiteral("According to: Item(kor)"), box);
    according->setObjectName(QStringLiteral("Label2"));

    auto* grid = new QGridLayout(box);
    auto* general = new QLabel(QStringLiteral("General:"), box);
    general->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(general, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(according, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return box;
}

QGroupBox* TWipeForm::buildSpecific() {
    auto* box = new QGroupBox(QStringLiteral("Specific Selection"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    ComboBox2 = new QComboBox(box);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox2->setMinimumContentsLength(24);
    ConnectGuarded(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { ComboBox2Change(); });
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(ComboBox2);
    layout->addStretch(1);
    return box;
}

QGroupBox* TWipeForm::buildExcellent() {
    auto* box = new QGroupBox(QStringLiteral("With this Excellent Options"), this);
    box->setObjectName(QStringLiteral("GroupBox3"));
    auto* layout = new QVBoxLayout(box);
    for (std::size_t i = 0; i < m_excellent.size(); ++i) {
        m_excellent[i] = new QCheckBox(text(kOpening[i]), box);
        // The sixth box has always been spelt with a capital E.
        m_excellent[i]->setObjectName(i == 5 ? QStringLiteral("VisualExc6")
                                             : QStringLiteral("Visualexc%1").arg(i + 1));
        layout->addWidget(m_excellent[i]);
    }
    return box;
}

QGroupBox* TWipeForm::buildAncient() {
    Anc = new QGroupBox(QStringLiteral("With this Ancient Option"), this);
    Anc->setObjectName(QStringLiteral("Anc"));
    m_ancient = new QButtonGroup(Anc);
    auto* layout = new QVBoxLayout(Anc);
    int id = 0;
    for (const AncientEntry& entry : kAncient) {
        auto* radio = new QRadioButton(text(entry.caption), Anc);
        radio->setObjectName(QStringLiteral("Anc%1").arg(id));
        m_ancient->addButton(radio, id++);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    m_ancient->button(0)->setChecked(true);
    return Anc;
}

QGroupBox* TWipeForm::buildProgress() {
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("GroupBox4"));
    auto* grid = new QGridLayout(box);

    auto* deleted = new QLabel(QStringLiteral("Deleted:"), box);
    deleted->setObjectName(QStringLiteral("DeletedCaption"));
    m_deletedLabel = figure(box, QStringLiteral("Deleted"), QStringLiteral("0"));
    m_deletedLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(deleted, 0, 0);
    grid->addWidget(m_deletedLabel, 0, 1, 1, 3);

    const char* captions[KindCount] = {"Inventory:", "Warehouse:", "Extra-Vaults:"};
    const char* names[KindCount] = {"inv", "wh", "ewh"};
    for (int k = 0; k < KindCount; ++k) {
        const QString name = text(names[k]);
        auto* caption = new QLabel(text(captions[k]), box);
        caption->setObjectName(name + QStringLiteral("caption"));
        Line& line = m_lines[std::size_t(k)];
        line.done = figure(box, name + QStringLiteral("done"), QStringLiteral("0"));
        line.all = figure(box, name + QStringLiteral("all"), QString());
        line.all->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        line.gauge = new QProgressBar(box);
        line.gauge->setObjectName(name + QStringLiteral("pb"));
        line.gauge->setRange(0, 100);
        line.gauge->setValue(0);
        auto* slash = new QLabel(QStringLiteral("/"), box);
        slash->setObjectName(name + QStringLiteral("slash"));
        grid->addWidget(caption, k + 1, 0);
        grid->addWidget(line.done, k + 1, 1);
        grid->addWidget(slash, k + 1, 2);
        grid->addWidget(line.all, k + 1, 3);
        grid->addWidget(line.gauge, k + 1, 4);
    }
    grid->setColumnStretch(4, 1);
    return box;
}

// ---------------------------------------------------------------- handlers

void TWipeForm::FormCreate() {
    QStringList names{kAnyItem};
    names << Catalogue::AllItemNames();
    {
        const QSignalBlocker quiet(ComboBox2);
        ComboBox2->clear();
        ComboBox2->addItems(names);
        ComboBox2->setCurrentIndex(0);
    }
    ComboBox2Change();
    loadTotals();
}

void TWipeForm::ComboBox2Change() {
    const Catalogue::WipeKey key = Catalogue::WipeItem(ComboBox2->currentText());
    m_item = ChosenItem{key.id, key.id2, key.unique, key.unique2, key.code32};
    ApplyExcellentKind(m_excellent, key.excKind);
}

void TWipeForm::BitBtn1Click() {
    if (m_walking)
        return;
    PopupMenu1->popup(QCursor::pos());
}

void TWipeForm::Button1Click() {
    close();
}

void TWipeForm::WipeFollowing1Click() {
    const int type = ComboBox1->currentIndex();
    runWalk(QStringLiteral("You will wipe: ") + ComboBox1->currentText() + QStringLiteral("\rAre you sure?"),
            [type](int recordBytes) -> RecordMatch { return GWipe(recordBytes, type); });
}

void TWipeForm::WipeFollowingSpecificSelection1Click() {
    const bool anyItem = ComboBox2->currentText() == kAnyItem;
    int excellent = 0;
    for (std::size_t i = 0; i < m_excellent.size(); ++i) {
        if (m_excellent[i]->isChecked())
            excellent += 1 << i;
    }
    const int ancientIndex = std::max(0, m_ancient->checkedId());
    const QChar ancient(kAncient[ancientIndex].character);
    const ChosenItem item = m_item;
    runWalk(QStringLiteral("You will Errase: ") + ComboBox2->currentText() + QStringLiteral("\r") +
                QStringLiteral("Are you Sure?"),
            [=](int recordBytes) -> RecordMatch {
                return SWipe(recordBytes, anyItem, item, excellent, ancient);
            });
}

void TWipeForm::WipeALLItems1Click() {
    if (m_walking)
        return;
    resetCounters();
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"),
                      QStringLiteral("Are you sure that you want to delete ALL items?"),
                      Dialogs::Icon::Question))
        return;
    const ItemRecord::Width width = ItemRecord::CurrentWidth();
    const QString inventory = ItemRecord::EmptyColumnLiteral(ItemRecord::kInventoryRecords, width);
    const QString warehouse = ItemRecord::EmptyColumnLiteral(ItemRecord::kWarehouseRecords, width);
    QStringList statements{QStringLiteral("UPDATE Character SET Inventory=") + inventory,
                           QStringLiteral("UPDATE Warehouse SET Items=") + warehouse};
    if (vaultsEnabled())
        statements << QStringLiteral("UPDATE ") + setting("Table") + QStringLiteral(" SET ") +
                          setting("ColumnItems") + QStringLiteral("=") + warehouse;
    for (const QString& statement : statements) {
        m_write.Close();
        m_write.SetConnectionString(gameDatabase());
        m_write.SetText(statement);
        (void)m_write.ExecSQL();
    }
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("All Items were wiped"),
                  Dialogs::Icon::Information);
}

void TWipeForm::reject() {
    if (!m_walking)
        QDialog::reject();
}

void TWipeForm::closeEvent(QCloseEvent* event) {
    if (m_walking)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

// ---------------------------------------------------------------- the walk

bool TWipeForm::vaultsEnabled() {
    return ReadSettingInt(QStringLiteral("Vaults"), QStringLiteral("Enabled")) == 1;
}

void TWipeForm::resetCounters() {
    m_deleted = 0;
    m_skipped = 0;
    showDeleted();
    for (Line& line : m_lines)
        line.gauge->setValue(0);
}

void TWipeForm::showDeleted() {
    m_deletedLabel->setText(QString::number(m_deleted));
}

void TWipeForm::loadTotals() {
    const bool vaults = vaultsEnabled();
    const QString third =
        vaults ? QStringLiteral(" , (Select count(*) from ") + setting("Table") + QStringLiteral(")")
               : QStringLiteral(" ");
    m_read.Close();
    m_read.SetConnectionString(gameDatabase());
    m_read.SetText(
        QStringLiteral("select (select count(*) from Character),(select count(*) from Warehouse) ") + third);
    m_read.Open();
    for (int k = 0; k < KindCount; ++k) {
        Line& line = m_lines[std::size_t(k)];
        if (k == Vault && !vaults) {
            line.all->clear();
            continue;
        }
        const int total = m_read.Fields(k).AsInteger();
        line.all->setText(QString::number(total));
        line.gauge->setMaximum(std::max(total, 1));
    }
    m_read.Close();
}

TWipeForm::Walk TWipeForm::walkOf(Kind kind) const {
    switch (kind) {
    case Inventory:
        return {QStringLiteral("SELECT AccountID, Inventory, Name FROM Character"),
                ItemRecord::kInventoryRecords, [](const Query& row, const QString& literal) {
                    return QStringLiteral("UPDATE Character SET Inventory=") + literal +
                           QStringLiteral(" WHERE (AccountID=") + Q(row.Fields(0).AsString()) +
                           QStringLiteral(") AND (Name=") + Q(row.Fields(2).AsString()) + QStringLiteral(")");
                }};
    case Warehouse:
        return {QStringLiteral("SELECT AccountID, Items FROM Warehouse"), ItemRecord::kWarehouseRecords,
                [](const Query& row, const QString& literal) {
                    return QStringLiteral("UPDATE Warehouse SET Items=") + literal +
                           QStringLiteral(" WHERE (AccountID=") + Q(row.Fields(0).AsString()) +
                           QStringLiteral(")");
                }};
    case Vault:
    case KindCount:
        break;
    }
    const QString table = setting("Table");
    const QString items = setting("ColumnItems");
    const QString account = setting("ColumnAccount");
    const QString number = setting("ColumnNumber");
    return {QStringLiteral("SELECT ") + account + QStringLiteral(", ") + items + QStringLiteral(",") +
                number + QStringLiteral(" FROM ") + table,
            ItemRecord::kWarehouseRecords, [=](const Query& row, const QString& literal) {
                return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + items +
                       QStringLiteral("=") + literal + QStringLiteral(" WHERE (") + account +
                       QStringLiteral("=") + Q(row.Fields(0).AsString()) + QStringLiteral(") AND (") +
                       number + QStringLiteral("=") + Q(row.Fields(2).AsString()) + QStringLiteral(")");
            }};
}

void TWipeForm::setWalking(bool walking) {
    m_walking = walking;
    BitBtn1->setEnabled(!walking);
    BitBtn2->setEnabled(!walking);
    for (QAction* action : PopupMenu1->actions())
        action->setEnabled(!walking);
}

void TWipeForm::runWalk(const QString& question, const std::function<RecordMatch(int)>& makeMatch) {
    if (m_walking)
        return;
    resetCounters();
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), question, Dialogs::Icon::Question))
        return;
    {
        const WalkScope scope(this);
        const int recordBytes = ItemRecord::Bytes(ItemRecord::CurrentWidth());
        const RecordMatch match = makeMatch(recordBytes);
        loadTotals();
        walkContainer(Inventory, recordBytes, match);
        walkContainer(Warehouse, recordBytes, match);
        if (vaultsEnabled())
            walkContainer(Vault, recordBytes, match);
    }
    QString message = QStringLiteral("Items were deleted");
    if (m_skipped > 0)
        message += QStringLiteral("\r%1 %2 left unchanged: the item column is not a whole number of records.")
                       .arg(m_skipped)
                       .arg(m_skipped == 1 ? QStringLiteral("row was") : QStringLiteral("rows were"));
    Dialogs::Show(this, QStringLiteral("Information"), message, Dialogs::Icon::Information);
}

void TWipeForm::walkContainer(Kind kind, int recordBytes, const RecordMatch& match) {
    const Walk walk = walkOf(kind);
    Line& line = m_lines[std::size_t(kind)];
    // Rows go back to the database they were read from, even if the settings
    // change while the walk runs.
    const QString database = gameDatabase();
    m_read.Close();
    m_read.SetConnectionString(database);
    m_read.SetText(walk.select);
    m_read.Open();
    line.gauge->setValue(0);
    int done = 0;
    for (; !m_read.Eof(); m_read.Next()) {
        const RowRewrite row = RewriteRow(m_read.Fields(1).AsBytes(), recordBytes, walk.records, match);
        if (row.malformed)
            ++m_skipped;
        if (row.changed) {
            m_write.Close();
            m_write.SetConnectionString(database);
            m_write.SetText(walk.update(m_read, row.literal));
            (void)m_write.ExecSQL();
            m_deleted += row.erased;
            showDeleted();
        }
        ++done;
        if (done > line.gauge->maximum())
            line.gauge->setMaximum(done);
        line.gauge->setValue(done);
        line.done->setText(QString::number(done));
        QCoreApplication::processEvents();
    }
    m_read.Close();
}
