#include "accounts/AccountStatements.h"

#include "core/UtilitiesUnit.h"

namespace AccountStatements {

QString SearchNames(SearchTarget target, const QString& part) {
    QString column;
    QString table;
    switch (target) {
    case SearchTarget::Accounts:
        column = QStringLiteral("memb___id");
        table = QStringLiteral("MEMB_INFO");
        break;
    case SearchTarget::Guilds:
        column = QStringLiteral("G_Name");
        table = QStringLiteral("Guild");
        break;
    case SearchTarget::Characters:
        column = QStringLiteral("\"Name\"");
        table = QStringLiteral("\"Character\"");
        break;
    }
    return QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") +
           column + QStringLiteral(" LIKE(") + Q(QStringLiteral("%") + part + QStringLiteral("%")) +
           QStringLiteral(") ORDER BY ") + column;
}

QString FindAccount(const QString& account) {
    return QStringLiteral("SELECT memb___id FROM MEMB_INFO WHERE memb___id =") + Q(account);
}

QString LoadAccount(const QString& account) {
    return QStringLiteral("SELECT * FROM MEMB_INFO WHERE memb___id =") + Q(account);
}

QStringList InsertAccount(const NewAccount& a, Hashing hashing) {
    const QString password = hashing == Hashing::Enabled ? QStringLiteral("0x0000") : Q(a.password);
    return {
        QStringLiteral(
            "INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name, sno__numb,  post_code, addr_info,"),
        QStringLiteral(
            "  addr_deta, tel__numb, phon_numb, mail_addr, fpas_ques, fpas_answ, job__code, appl_days, "
            "modi_days, out__days,  true_days, mail_chek, bloc_code, ctl1_code)"),
        QStringLiteral("VALUES (") + Q(a.account) + QLatin1Char(',') + password + QLatin1Char(',') +
            Q(a.name) + QLatin1Char(',') + Q(StoredPersonalId(a.personalId)),
        QStringLiteral(", NULL, NULL, NULL, NULL, NULL,") + Q(a.mail) + QLatin1Char(',') + Q(a.question) +
            QLatin1Char(',') + Q(a.answer) +
            QStringLiteral(", 1, getdate(), getdate(), getdate(), getdate(), 1, 0, 0)"),
    };
}

QString HashPassword(const QString& password, const QString& account) {
    return QStringLiteral("EXECUTE SP_MD5_ENCODE_VALUE @btInStr=") + Q(password) +
           QStringLiteral(", @btInStrIndex=") + Q(account);
}

QString SetPlainPassword(const QString& account, const QString& password) {
    return QStringLiteral("UPDATE MEMB_INFO SET memb__pwd=") + Q(password) +
           QStringLiteral(" WHERE memb___id=") + Q(account);
}

QStringList UpdateAccountFields(const QString& account, const QString& name, const QString& mail,
                                const std::optional<QString>& personalId, const QString& question,
                                const QString& answer) {
    return {
        QStringLiteral("UPDATE MEMB_INFO"),
        QStringLiteral("SET memb_name=") + Q(name) + QStringLiteral(", mail_addr=") + Q(mail) +
            QStringLiteral(", sno__numb=") + (personalId ? Q(*personalId) : QStringLiteral("NULL")),
        QStringLiteral(", fpas_ques=") + Q(question) + QStringLiteral(", fpas_answ=") + Q(answer),
        QStringLiteral("WHERE memb___id =") + Q(account),
    };
}

} // namespace AccountStatements
