#pragma once

#include <QMap>
#include <QString>

// The three connection strings the windows hand to the data layer, and what
// each of them reaches.
struct ConnectionTarget {
    enum class Kind {
        OdbcDataSource, // "Provider=MSDASQL...;Data Source=DSN;uid=..;pwd=.."
        Catalogue,      // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>"
        LocalServer,    // "Provider=SQLOLEDB...;Initial Catalog=master;Data Source=(local)"
    };
    Kind kind = Kind::OdbcDataSource;
    QString dataSource; // DSN name, catalogue file, or "(local)"
    QString user;
    QString password;
    QString catalog; // Initial Catalog of the local server form
};

namespace ConnectionString {

// Splits "key=value;key=value" into a map with lower-case keys. The password
// is the last pair of the ODBC form and is taken up to the end of the text,
// so a password holding ";" stays whole.
[[nodiscard]] QMap<QString, QString> Pairs(const QString& text);

// Classifies a connection string; throws DbError for a provider it does not
// know.
[[nodiscard]] ConnectionTarget Parse(const QString& text);

} // namespace ConnectionString
