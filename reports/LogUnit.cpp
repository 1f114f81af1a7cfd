#include "reports/LogUnit.h"

#include "platform/TanorError.h"
#include "reports/ReportExport.h"
#include "reports/ReportQueries.h"
#include "reports/RowsModel.h"
#include "widgets/Dialogs.h"
#include "widgets/FileChooser.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

using ReportQueries::LogFilter;

namespace {

const QString kCaption = QStringLiteral("LOG Manager");
// How far back the window looks for the newest day with a log table.
constexpr int kDaysBack = 31;

QLineEdit* addressField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setInputMask(QStringLiteral("999.999.999.999;_"));
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TLOGForm::TLOGForm(const WindowContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("LOGForm"));
    setWindowTitle(kCaption);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildSettings());
    m_pages->addWidget(buildChart());
    m_pages->addWidget(buildTable());
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_pages);
    resize(577, 425);

    m_date->setDate(UsageLog::NewestDay(QDate::currentDate(), kDaysBack, ReportQueries::ProbeLogTable));
    RunGuarded(this, [this] { FormCreate(); });
}

QWidget* TLOGForm::buildSettings() {
    auto* page = new QWidget(this);

    m_date = new QDateEdit(page);
    m_date->setObjectName(QStringLiteral("LogDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_server = new QComboBox(page);
    m_server->setObjectName(QStringLiteral("Server"));
    auto* note = new QLabel(
        QStringLiteral("Remember every LOG table is created at 23:00 (Graphics need this tables to work)"),
        page);
    note->setWordWrap(true);

    auto* table = new QGroupBox(QStringLiteral("Table Settings"), page);
    m_pay = new RadioGroup(QStringLiteral("Pay Members"),
                           {QStringLiteral("Any"), QStringLiteral("Free Members"),
                            QStringLiteral("Time (Hour) Pay"), QStringLiteral("Month Pay")},
                           table);
    m_pay->setObjectName(QStringLiteral("RadioGroup3"));
    auto* payNote = new QLabel(QStringLiteral("Normal private Servers use only Free Members"), table);
    payNote->setWordWrap(true);

    m_address =
        new RadioGroup(QStringLiteral("IP"), {QStringLiteral("Any"), QStringLiteral("Between")}, table);
    m_address->setObjectName(QStringLiteral("RadioGroup2"));
    m_addressFields = new QWidget(table);
    m_from = addressField(m_addressFields, "Edit3");
    m_to = addressField(m_addressFields, "Edit4");
    auto* addressGrid = new QGridLayout(m_addressFields);
    addressGrid->setContentsMargins(0, 0, 0, 0);
    // "To:" beside its field: the window keeps its designed height with the
    // fields' room kept while "Any" is chosen.
    addressGrid->addWidget(new QLabel(QStringLiteral("From: (Ex: 200.200.0.13)"), m_addressFields), 0, 0, 1,
                           2);
    addressGrid->addWidget(m_from, 1, 0, 1, 2);
    addressGrid->addWidget(new QLabel(QStringLiteral("To:"), m_addressFields), 2, 0);
    addressGrid->addWidget(m_to, 2, 1);
    addressGrid->setColumnStretch(1, 1);
    m_address->layout()->addWidget(m_addressFields);

    m_account =
        new RadioGroup(QStringLiteral("Account"), {QStringLiteral("Any"), QStringLiteral("Like")}, table);
    m_account->setObjectName(QStringLiteral("RadioGroup1"));
    m_like = new QLineEdit(m_account);
    m_like->setObjectName(QStringLiteral("Edit1"));
    m_like->setMaxLength(10);
    m_account->layout()->addWidget(m_like);

    m_usedTime = new RadioGroup(QStringLiteral("Used Time"),
                                {QStringLiteral("Any"), QStringLiteral("More than"),
                                 QStringLiteral("Equal than"), QStringLiteral("Less than")},
                                table);
    m_usedTime->setObjectName(QStringLiteral("RadioGroup4"));
    m_minutes = new QLineEdit(m_usedTime);
    m_minutes->setObjectName(QStringLiteral("Edit2"));
    m_usedTime->layout()->addWidget(m_minutes);

    for (RadioGroup* group : {m_pay, m_address, m_account, m_usedTime})
        group->SetItemIndex(0);
    auto* tableGrid = new QGridLayout(table);
    tableGrid->addWidget(m_pay, 0, 0);
    tableGrid->addWidget(payNote, 1, 0);
    tableGrid->addWidget(m_address, 0, 1, 2, 1);
    tableGrid->addWidget(m_account, 0, 2);
    tableGrid->addWidget(m_usedTime, 0, 3, 2, 1);
    for (int c = 0; c < 4; ++c)
        tableGrid->setColumnStretch(c, 1);

    auto* graphic = new QGroupBox(QStringLiteral("Graphic Settings"), page);
    m_display = new RadioGroup(
        QStringLiteral("Graphic Display"),
        {QStringLiteral("Both"), QStringLiteral("Used Time"), QStringLiteral("Connected")}, graphic);
    m_display->setObjectName(QStringLiteral("RadioGroup5"));
    m_display->SetItemIndex(0);
    auto* graphicRow = new QHBoxLayout(graphic);
    graphicRow->addWidget(m_display);

    auto* view = button(page, "View", QStringLiteral("View Graphic"));
    auto* viewTable = button(page, "BitBtn2", QStringLiteral("View Table    "));
    auto* close = button(page, "BitBtn4", QStringLiteral("Close"));

    auto* choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Date to Search:"), page), 0, 0);
    choice->addWidget(m_date, 1, 0);
    choice->addWidget(new QLabel(QStringLiteral("Server To Search:"), page), 0, 1);
    choice->addWidget(m_server, 1, 1);
    choice->addWidget(note, 0, 2, 2, 1);
    choice->setColumnStretch(2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(view);
    buttons->addWidget(viewTable);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(graphic, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(choice);
    layout->addWidget(table, 1);
    layout->addLayout(bottom);

    ConnectGuarded(view, &QPushButton::clicked, this, [this] { SearchClick(); });
    ConnectGuarded(viewTable, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    ConnectGuarded(m_address, &RadioGroup::itemClicked, this, [this] { RadioGroup2Click(); });
    ConnectGuarded(m_account, &RadioGroup::itemClicked, this, [this] { RadioGroup3Click(); });
    ConnectGuarded(m_pay, &RadioGroup::itemClicked, this, [this] { RadioGroup3Click(); });
    ConnectGuarded(m_usedTime, &RadioGroup::itemClicked, this, [this] { RadioGroup4Click(); });
    // The filter fields come and go with their choice; the groups around
    // them stay put.
    for (QWidget* field : {static_cast<QWidget*>(m_addressFields), static_cast<QWidget*>(m_like),
                           static_cast<QWidget*>(m_minutes)})
        KeepPlaceWhenHidden(field);
    RadioGroup2Click();
    RadioGroup3Click();
    RadioGroup4Click();
    return page;
}

QWidget* TLOGForm::buildChart() {
    auto* page = new QWidget(this);
    m_chart = new QChart;
    m_chart->setTitle(QStringLiteral("Connect LOG Statistics (Total Players and Time Used)"));
    m_connected = new QLineSeries(m_chart);
    m_connected->setName(QStringLiteral("Users Connected"));
    m_connected->setColor(Qt::red);
    m_usedMinutes = new QLineSeries(m_chart);
    m_usedMinutes->setName(QStringLiteral("Used Time (mins)"));
    m_usedMinutes->setColor(Qt::darkGreen);
    m_chart->addSeries(m_connected);
    m_chart->addSeries(m_usedMinutes);
    m_hours = new QBarCategoryAxis(m_chart);
    m_hours->setTitleText(QStringLiteral("Hour"));
    for (int hour = 0; hour < 24; ++hour)
        m_hours->append(QString::number(hour));
    // Small enough that all 24 hours fit the window's width.
    QFont small = m_hours->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    m_hours->setLabelsFont(small);
    m_quantity = new QValueAxis(m_chart);
    m_quantity->setTitleText(QStringLiteral("Quantity of Players/Used Time(mins)"));
    m_quantity->setLabelFormat(QStringLiteral("%d"));
    QFont title = m_quantity->titleFont();
    title.setPointSizeF(title.pointSizeF() * 0.8);
    m_quantity->setTitleFont(title);
    m_chart->addAxis(m_hours, Qt::AlignBottom);
    m_chart->addAxis(m_quantity, Qt::AlignLeft);
    for (QLineSeries* series : {m_connected, m_usedMinutes}) {
        series->attachAxis(m_hours);
        series->attachAxis(m_quantity);
    }
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_chartView = new QChartView(m_chart, page);
    m_chartView->setObjectName(QStringLiteral("ConnectLOG"));
    m_chartView->setRenderHint(QPainter::Antialiasing);

    auto* saveImage = button(page, "SaveImage", QStringLiteral("Save Image..."));
    auto* close = button(page, "Button1", QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveImage);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_chartView, 1);
    layout->addLayout(buttons);

    ConnectGuarded(saveImage, &QPushButton::clicked, this, [this] { SaveImageClick(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { Button1Click(); });
    return page;
}

QWidget* TLOGForm::buildTable() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Panel5"));
    m_rows = new RowsModel(this);
    m_grid = new QTableView(page);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_rows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    auto* exportCsv = button(page, "ExportCsv", QStringLiteral("Export CSV..."));
    auto* close = button(page, "BitBtn3", QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportCsv);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    ConnectGuarded(exportCsv, &QPushButton::clicked, this, [this] { ExportClick(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    return page;
}

void TLOGForm::FormCreate() {
    m_server->clear();
    m_server->addItem(QStringLiteral("All"));
    m_server->setCurrentIndex(0);
    try {
        m_server->addItems(ReportQueries::ServerNames());
    } catch (const std::exception&) {
        Dialogs::Show(this, QStringLiteral("Error"),
                      QStringLiteral("Unhandled Exception while recovering ServerNames"),
                      Dialogs::Icon::Error);
    }
}

void TLOGForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TLOGForm::FormShow() {
    // The log is for signed-in operators only: close before anything shows.
    if (!m_context.signedIn)
        QTimer::singleShot(0, this, [this] { reject(); });
}

QString TLOGForm::chosenServer() const {
    return m_server->currentIndex() <= 0 ? QString() : m_server->currentText();
}

void TLOGForm::showDayMissing() {
    Dialogs::Show(this, kCaption,
                  QStringLiteral("The Day you selected is not avaible!\rMaybe the table was not created"),
                  Dialogs::Icon::Information);
}

void TLOGForm::redrawChart() {
    QList<QPointF> connected;
    for (int i = 0; i < m_chartData.connected.size(); ++i)
        connected << QPointF(i, m_chartData.connected[i]);
    QList<QPointF> minutes;
    for (int i = 0; i < m_chartData.minutes.size(); ++i)
        minutes << QPointF(i, m_chartData.minutes[i]);
    m_connected->replace(connected);
    m_usedMinutes->replace(minutes);
    int top = 0;
    for (const auto* values : {&m_chartData.connected, &m_chartData.minutes})
        if (!values->isEmpty())
            top = std::max(top, *std::max_element(values->begin(), values->end()));
    m_quantity->setRange(0, std::max(top, 10));
    m_quantity->applyNiceNumbers();
}

void TLOGForm::SearchClick() {
    const QDate day = m_date->date();
    const QString server = chosenServer();
    const auto display = UsageLog::Display(m_display->ItemIndex());
    m_pages->setCurrentIndex(1);
    m_chartData.clear();
    redrawChart();
    const bool found = ReportQueries::LoadChart(day, server, display, m_chartData);
    redrawChart();
    if (!found)
        showDayMissing();
}

std::optional<LogFilter> TLOGForm::tableFilter() {
    LogFilter f;
    f.server = chosenServer();
    f.accountLike = m_account->ItemIndex() == 1;
    f.account = m_like->text();
    f.pay = ReportQueries::PayFilter(std::max(0, m_pay->ItemIndex()));
    f.addressBetween = m_address->ItemIndex() == 1;
    f.usedTime = ReportQueries::UsedTimeFilter(std::max(0, m_usedTime->ItemIndex()));
    if (f.addressBetween) {
        f.addressFrom = m_from->text();
        f.addressTo = m_to->text();
        for (const auto& [text, name] : {std::pair{f.addressFrom, "From"}, std::pair{f.addressTo, "To"}})
            if (!UsageLog::IsLogAddress(text)) {
                Dialogs::Show(
                    this, kCaption,
                    QStringLiteral("IP %1: type an address of four groups of three digits, each from 000 "
                                   "to 255 (Ex: 200.200.000.013).")
                        .arg(QLatin1String(name)),
                    Dialogs::Icon::Warning);
                return std::nullopt;
            }
    }
    if (f.usedTime != ReportQueries::UsedTimeFilter::Any) {
        const std::optional<int> minutes = UsageLog::UsedMinutes(m_minutes->text());
        if (!minutes) {
            Dialogs::Show(this, kCaption,
                          QStringLiteral("Used Time: type a whole number of minutes from 0 to 9999."),
                          Dialogs::Icon::Warning);
            return std::nullopt;
        }
        f.minutes = *minutes;
    }
    return f;
}

void TLOGForm::BitBtn2Click() {
    const std::optional<LogFilter> filter = tableFilter();
    if (!filter)
        return;
    if (!ReportQueries::LoadLogRows(m_date->date(), *filter, *m_rows)) {
        showDayMissing();
        return;
    }
    m_grid->resizeColumnsToContents();
    m_pages->setCurrentIndex(2);
}

void TLOGForm::RadioGroup2Click() {
    m_addressFields->setVisible(m_address->ItemIndex() == 1);
}

void TLOGForm::RadioGroup3Click() {
    m_like->setVisible(m_account->ItemIndex() == 1);
}

void TLOGForm::RadioGroup4Click() {
    m_minutes->setVisible(m_usedTime->ItemIndex() > 0);
}

void TLOGForm::Button1Click() {
    m_pages->setCurrentIndex(0);
}

void TLOGForm::BitBtn3Click() {
    m_pages->setCurrentIndex(0);
}

void TLOGForm::SaveImageClick() {
    const QString file =
        FileChooser::SaveFile(this, QStringLiteral("Save Image"), QStringLiteral("PNG images (*.png)"));
    if (file.isEmpty())
        return;
    if (!m_chartView->grab().save(file, "PNG"))
        throw TanorError(QStringLiteral("Cannot write the image %1").arg(file));
}

void TLOGForm::ExportClick() {
    ExportCsv(this, *m_rows);
}
