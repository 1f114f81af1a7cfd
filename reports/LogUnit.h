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

    QStackedWidget* m_pages = nullptr;
    QDateEdit* m_date = nullptr;
    QComboBox* m_server = nullptr;
    RadioGroup* m_pay = nullptr;      // RadioGroup3
    RadioGroup* m_address = nullptr;  // RadioGroup2
    RadioGroup* m_account = nullptr;  // RadioGroup1
    RadioGroup* m_usedTime = nullptr; // RadioGroup4
    RadioGroup* m_display = nullptr;  // RadioGroup5
    QLineEdit* m_like = nullptr;      // Edit1
    QLineEdit* m_minutes = nullptr;   // Edit2
    QLineEdit* m_from = nullptr;      // Edit3
    QLineEdit* m_to = nullptr;        // Edit4
    QWidget* m_addressFields = nullptr;
    QChartView* m_chartView = nullptr;
    QChart* m_chart = nullptr;
    QLineSeries* m_connected = nullptr;
    QLineSeries* m_usedMinutes = nullptr;
    QBarCategoryAxis* m_hours = nullptr;
    QValueAxis* m_quantity = nullptr;
    QTableView* m_grid = nullptr;
    RowsModel* m_rows = nullptr;
    UsageLog::ChartData m_chartData;
    bool m_shown = false;
    WindowContext m_context;
};
