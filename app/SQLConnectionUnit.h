#pragma once

#include <QDialog>

class QLineEdit;
class RadioGroup;

// The connection options: data source names, the SQL login and the feature
// switches of the settings file.
class TSQLConnectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TSQLConnectionForm(QWidget* parent = nullptr);

    void DNSValues();
    void BitBtn1Click();
    void DB2Click();
    void DB6Click();

private:
    void save();
    void fillDataSources(const QStringList& names);

    QLineEdit* m_dataSources[6] = {};
    QLineEdit* m_sqlAccount;
    QLineEdit* m_sqlPassword;
    RadioGroup* m_md5Settings;
    RadioGroup* m_radioGroup3;
    RadioGroup* m_radioGroup2;
    RadioGroup* m_radioGroup1;
    QLineEdit* m_labeledEdit[8] = {}; // LabeledEdit1 to LabeledEdit7 at 1..7
};
