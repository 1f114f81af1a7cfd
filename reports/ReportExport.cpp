#include "reports/ReportExport.h"

#include "reports/Csv.h"
#include "widgets/FileChooser.h"

void ExportCsv(QWidget* window, const QAbstractItemModel& model, const QStringList& header) {
    ExportCsv(window, [&] { return Csv::FromModel(model, header); });
}

void ExportCsv(QWidget* window, const std::function<QString()>& csvText) {
    const QString file =
        FileChooser::SaveFile(window, QStringLiteral("Export CSV"), QStringLiteral("CSV files (*.csv)"));
    if (file.isEmpty())
        return;
    Csv::WriteFile(file, csvText());
}
