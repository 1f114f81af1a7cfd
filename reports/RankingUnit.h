#pragma once

#include <QDialog>
#include <QVector>

class QLabel;
class QListWidget;
class RadioGroup;

// The first 100 characters by level, event entries by points or guilds by
// score, and the details of the entry clicked. Reads only.
class TRankingForm : public QDialog {
    Q_OBJECT
public:
    explicit TRankingForm(QWidget* parent = nullptr);

    void GroupClick();
    void ResClick();
    void ExportClick();

private:
    void clearValues();

    RadioGroup* m_group;
    QListWidget* m_res;
    QVector<QLabel*> m_captions; // Label1..Label9
    QVector<QLabel*> m_values;   // Acc, Level, ClassType, ..., REset
};
