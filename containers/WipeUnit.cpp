#include "containers/WipeUnit.h"

#include "containers/WipeChoice.h"
#include "containers/WipeStore.h"
#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"
#include "items/ItemRecord.h"
#include "items/PropertyEditor.h"
#include "items/UndoFile.h"
#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
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

// Captions of the six excellent boxes at opening; the chosen item's
// excellent kind then sets them as in the property editor.
const std::array<const char*, 6> kOpening = {"Zen/Mana/HP",          "Def.Rate/Mana/MP",
                                             "Reflect/Speed/Ignore", "D.Dec/Dmg 2%/Stamina",
                                             "Mana/Dmg Lvl/Speed",   "HP/ExcRate"};

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

// The kind's word in messages.
QString kindName(ContainerWalk::Kind kind) {
    switch (kind) {
    case ContainerWalk::Kind::Inventory:
        return QStringLiteral("inventory");
    case ContainerWalk::Kind::Warehouse:
        return QStringLiteral("warehouse");
    case ContainerWalk::Kind::Vault:
        break;
    }
    return QStringLiteral("extra vault");
}

QString plural(int n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

// The lines the final message adds about columns left alone.
QString leftAlone(const ContainerWalk::Counts& total) {
    QString text;
    if (total.wrongWidth > 0)
        text += QStringLiteral("\r") + plural(total.wrongWidth, "column looks", "columns look") +
                QStringLiteral(" like %1-byte records; check the Version setting.")
                    .arg(ItemRecord::CurrentWidth() == ItemRecord::Width::Narrow ? 16 : 10);
    if (total.malformed > 0)
        text += QStringLiteral("\r") + plural(total.malformed, "row was", "rows were") +
                QStringLiteral(" left unchanged: the item column is not a whole number of records.");
    return text;
}

constexpr int kPreviewRows = 10;

} // namespace

// While a walk runs, the commands and Close are unavailable, and Stop is
// offered.
class TWipeForm::WalkScope {
public:
    explicit WalkScope(TWipeForm* form) : m_form(form) { m_form->setWalking(true); }
    ~WalkScope() { m_form->setWalking(false); }
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

    Preview = new QPushButton(QStringLiteral("Preview"), this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Stop = new QPushButton(QStringLiteral("Stop"), this);
    Stop->setObjectName(QStringLiteral("Stop"));
    Stop->setEnabled(false);
    for (QPushButton* button : {Preview, Stop})
        button->setAutoDefault(false);
    ConnectGuarded(Preview, &QPushButton::clicked, this, [this] { PreviewClick(); });
    ConnectGuarded(Stop, &QPushButton::clicked, this, [this] { StopClick(); });
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PreviewGeneral1 = PopupMenu2->addAction(QStringLiteral("Preview General Selection"));
    PreviewGeneral1->setObjectName(QStringLiteral("PreviewGeneral1"));
    PreviewSpecific1 = PopupMenu2->addAction(QStringLiteral("Preview Specific Selection"));
    PreviewSpecific1->setObjectName(QStringLiteral("PreviewSpecific1"));
    ConnectGuarded(PreviewGeneral1, &QAction::triggered, this, [this] { PreviewGeneral1Click(); });
    ConnectGuarded(PreviewSpecific1, &QAction::triggered, this, [this] { PreviewSpecific1Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Preview);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(Stop);
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
    for (const WipeChoice::Ancient& entry : WipeChoice::Ancients()) {
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
    QStringList names{WipeChoice::AnyItem()};
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
    m_item = WipeChoice::ChosenOf(key);
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

QString TWipeForm::generalQuestion() const {
    return QStringLiteral("You will wipe: ") + ComboBox1->currentText() + QStringLiteral("\rAre you sure?");
}

MatchMaker TWipeForm::generalMatch() const {
    const int type = ComboBox1->currentIndex();
    return [type](int recordBytes) -> RecordMatch { return GWipe(recordBytes, type); };
}

QString TWipeForm::specificQuestion() const {
    return QStringLiteral("You will Errase: ") + ComboBox2->currentText() + QStringLiteral("\r") +
           QStringLiteral("Are you Sure?");
}

MatchMaker TWipeForm::specificMatch() const {
    const bool anyItem = ComboBox2->currentText() == WipeChoice::AnyItem();
    int excellent = 0;
    for (std::size_t i = 0; i < m_excellent.size(); ++i) {
        if (m_excellent[i]->isChecked())
            excellent += 1 << i;
    }
    const int ancientIndex = std::max(0, m_ancient->checkedId());
    const QChar ancient(WipeChoice::Ancients()[std::size_t(ancientIndex)].character);
    const ChosenItem item = m_item;
    return
        [=](int recordBytes) -> RecordMatch { return SWipe(recordBytes, anyItem, item, excellent, ancient); };
}

void TWipeForm::WipeFollowing1Click() {
    runWalk(generalQuestion(), generalMatch());
}

void TWipeForm::WipeFollowingSpecificSelection1Click() {
    runWalk(specificQuestion(), specificMatch());
}

void TWipeForm::PreviewClick() {
    if (m_walking)
        return;
    PopupMenu2->popup(QCursor::pos());
}

void TWipeForm::PreviewGeneral1Click() {
    runPreview(generalMatch());
}

void TWipeForm::PreviewSpecific1Click() {
    runPreview(specificMatch());
}

void TWipeForm::StopClick() {
    if (m_walking)
        m_stopAsked = true;
}

void TWipeForm::WipeALLItems1Click() {
    if (m_walking)
        return;
    resetCounters();
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"),
                      QStringLiteral("Are you sure that you want to delete ALL items?"),
                      Dialogs::Icon::Question))
        return;
    WipeStore::WipeEverything();
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

void TWipeForm::resetCounters() {
    m_deleted = 0;
    showDeleted();
    for (Line& line : m_lines)
        line.gauge->setValue(0);
}

void TWipeForm::showDeleted() {
    m_deletedLabel->setText(QString::number(m_deleted));
}

void TWipeForm::loadTotals() {
    const WipeStore::Totals totals = WipeStore::Load();
    const std::array<std::optional<int>, KindCount> counts = {totals.inventories, totals.warehouses,
                                                              totals.vaults};
    for (std::size_t k = 0; k < counts.size(); ++k) {
        Line& line = m_lines[k];
        if (!counts[k]) {
            line.all->clear();
            continue;
        }
        line.all->setText(QString::number(*counts[k]));
        line.gauge->setMaximum(std::max(*counts[k], 1));
    }
}

void TWipeForm::setWalking(bool walking) {
    m_walking = walking;
    m_stopAsked = false;
    BitBtn1->setEnabled(!walking);
    BitBtn2->setEnabled(!walking);
    Preview->setEnabled(!walking);
    Stop->setEnabled(walking);
    for (QMenu* menu : {PopupMenu1, PopupMenu2})
        for (QAction* action : menu->actions())
            action->setEnabled(!walking);
}

bool TWipeForm::rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts& counts) {
    if (row.number == 1)
        m_writtenBefore = 0;
    if (counts.written > m_writtenBefore && m_firstRows.size() < kPreviewRows)
        m_firstRows << ContainerWalk::RowName(row);
    m_writtenBefore = counts.written;
    Line& line = m_lines[std::size_t(row.kind)];
    if (row.number > line.gauge->maximum())
        line.gauge->setMaximum(row.number);
    line.gauge->setValue(row.number);
    line.done->setText(QString::number(row.number));
    QCoreApplication::processEvents();
    return !m_stopAsked;
}

void TWipeForm::walkAll(ContainerWalk::Walker& walker, const MatchMaker& makeMatch) {
    loadTotals();
    m_firstRows.clear();
    WipeAll(walker, makeMatch, [&] {
        m_deleted = walker.total().count;
        showDeleted();
    });
}

void TWipeForm::runWalk(const QString& question, const MatchMaker& makeMatch) {
    if (m_walking)
        return;
    resetCounters();
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), question, Dialogs::Icon::Question))
        return;
    // Nothing is written without a place to keep what it replaces.
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("wipe"));
    ContainerWalk::Options options;
    options.undo = undo.get();
    ContainerWalk::Walker walker(gameDatabase(), options, *this);
    try {
        const WalkScope scope(this);
        walkAll(walker, makeMatch);
    } catch (const TanorError& e) {
        m_deleted = walker.total().count;
        showDeleted();
        QString text = Dialogs::ErrorText(e.text());
        if (walker.failedRow().number > 0 || walker.total().written > 0)
            text += QStringLiteral("\r") + plural(walker.total().written, "row was", "rows were") +
                    QStringLiteral(" written; undo file: ") + QDir::toNativeSeparators(undo->path());
        if (walker.failedRow().number > 0)
            text += QStringLiteral("\r") + ContainerWalk::RowName(walker.failedRow()) +
                    QStringLiteral(" could not be written; the walk stopped there.");
        text += ContainerWalk::RefusedText(walker.refused());
        Dialogs::ShowError(this, text);
        return;
    }
    QString message = walker.stopped()
                          ? QStringLiteral("Stopped: items were deleted from the rows done so far")
                          : QStringLiteral("Items were deleted");
    message += leftAlone(walker.total());
    message += ContainerWalk::RefusedText(walker.refused());
    message += QStringLiteral("\rUndo file: ") + QDir::toNativeSeparators(undo->path());
    Dialogs::Show(this, QStringLiteral("Information"), message, Dialogs::Icon::Information);
}

void TWipeForm::runPreview(const MatchMaker& makeMatch) {
    if (m_walking)
        return;
    resetCounters();
    ContainerWalk::Options options;
    options.write = false;
    ContainerWalk::Walker walker(gameDatabase(), options, *this);
    {
        const WalkScope scope(this);
        walkAll(walker, makeMatch);
    }
    const ContainerWalk::Counts total = walker.total();
    QString text = QStringLiteral("The wipe would erase %1 in %2:")
                       .arg(plural(total.count, "record", "records"), plural(total.written, "row", "rows"));
    const ContainerWalk::Kind kinds[] = {ContainerWalk::Kind::Inventory, ContainerWalk::Kind::Warehouse,
                                         ContainerWalk::Kind::Vault};
    for (const ContainerWalk::Kind kind : kinds) {
        const ContainerWalk::Counts& c = walker.counts(kind);
        if (c.rows == 0 && kind == ContainerWalk::Kind::Vault)
            continue;
        text += QStringLiteral("\r%1: %2 in %3 of %4")
                    .arg(kindName(kind), plural(c.count, "record", "records"),
                         plural(c.written, "row", "rows"), QString::number(c.rows));
    }
    if (!m_firstRows.isEmpty())
        text += QStringLiteral("\rFirst rows: ") + m_firstRows.join(QStringLiteral(", "));
    text += leftAlone(total);
    if (walker.stopped())
        text += QStringLiteral("\rStopped before the end: the figures cover the rows done.");
    Dialogs::Show(this, QStringLiteral("Preview"), text, Dialogs::Icon::Information);
}
