#pragma once

#include "core/WindowContext.h"
#include "reports/ReportTypes.h"
#include "reports/UsageLog.h"

#include <QDialog>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QLineSeries;
class QStackedWidget;
class QTableView;
class QValueAxis;
class RadioGroup;
class RowsModel;

// The usage log of one day: charted by hour (accounts connected, minutes
// used) or listed with filters. Reads only; needs a signed-in operator.
class TLOGForm : public QDialog {
    Q_OBJECT
public:
    TLOGForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void SearchClick();
    void BitBtn2Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void RadioGroup4Click();
    void Button1Click();
    void BitBtn3Click();
    void SaveImageClick();
    void ExportClick();

    [[nodiscard]] const UsageLog::ChartData& Chart() const { return m_chartData; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    [[nodiscard]] QString chosenServer() const;
    // The table's filters from the window; nullopt (after a message naming
    // the field) when a typed value is not usable.
    [[nodiscard]] std::optional<ReportQueries::LogFilter> tableFilter();
    void showDayMissing();
    void redrawChart();
    QWidget* buildSettings();
    QWidget* buildChart();
    QWidget* buildTable();

    QStackedWidget* m_pages;
    QDateEdit* m_date;
    QComboBox* m_server;
    RadioGroup* m_pay;      // RadioGroup3
    RadioGroup* m_address;  // RadioGroup2
    RadioGroup* m_account;  // RadioGroup1
    RadioGroup* m_usedTime; // RadioGroup4
    RadioGroup* m_display;  // RadioGroup5
    QLineEdit* m_like;      // Edit1
    QLineEdit* m_minutes;   // Edit2
    QLineEdit* m_from;      // Edit3
    QLineEdit* m_to;        // Edit4
    QWidget* m_addressFields;
    QChartView* m_chartView;
    QChart* m_chart;
    QLineSeries* m_connected;
    QLineSeries* m_usedMinutes;
    QBarCategoryAxis* m_hours;
    QValueAxis* m_quantity;
    QTableView* m_grid;
    RowsModel* m_rows;
    UsageLog::ChartData m_chartData;
    bool m_shown = false;
    WindowContext m_context;
};
