#include "platform/ConnectionString.h"

#include "platform/TanorError.h"

namespace ConnectionString {

QMap<QString, QString> Pairs(const QString& text) {
    QMap<QString, QString> out;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(';'), pos);
        const qsizetype eq = text.indexOf(QLatin1Char('='), pos);
        if (eq < 0)
            break;
        const QString key = text.mid(pos, eq - pos).trimmed().toLower();
        // The ODBC form ends with pwd=<password>: settings put the password in
        // as it stands, so it runs to the end of the string.
        if (key == QLatin1String("pwd") || end < 0)
            end = text.size();
        if (eq > end) { // a pair without "=": skip it
            pos = end + 1;
            continue;
        }
        out.insert(key, text.mid(eq + 1, end - eq - 1));
        pos = end + 1;
    }
    return out;
}

ConnectionTarget Parse(const QString& text) {
    // Windows set the same string before statement after statement.
    static QString lastText;
    static ConnectionTarget last;
    if (!lastText.isNull() && text == lastText)
        return last;
    const QMap<QString, QString> pairs = Pairs(text);
    const QString provider = pairs.value(QStringLiteral("provider")).trimmed();
    ConnectionTarget target;
    target.dataSource = pairs.value(QStringLiteral("data source"));
    if (provider.startsWith(QLatin1String("MSDASQL"), Qt::CaseInsensitive)) {
        target.kind = ConnectionTarget::Kind::OdbcDataSource;
        target.user = pairs.value(QStringLiteral("uid"));
        target.password = pairs.value(QStringLiteral("pwd"));
    } else if (provider.startsWith(QLatin1String("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive)) {
        target.kind = ConnectionTarget::Kind::Catalogue;
    } else if (provider.startsWith(QLatin1String("SQLOLEDB"), Qt::CaseInsensitive)) {
        target.kind = ConnectionTarget::Kind::LocalServer;
        target.catalog = pairs.value(QStringLiteral("initial catalog"));
    } else {
        throw DbError(QStringLiteral("Unknown provider \"%1\" in the connection string").arg(provider));
    }
    lastText = text;
    last = target;
    return target;
}

} // namespace ConnectionString
