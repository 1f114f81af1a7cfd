#include "app/OperatorSignIn.h"

#include "app/ShellStatements.h"
#include "core/QueryHelpers.h"

namespace OperatorSignIn {

Outcome SignIn(const QString& id, const QString& password) {
    const Query row = OpenOn(DataSource::Vorn, ShellStatements::SignInRow(id));
    if (row.IsEmpty())
        return Outcome::Unknown;
    if (password != row.FieldByName(QStringLiteral("mang__pwd")).AsString())
        return Outcome::WrongPassword;
    return Outcome::SignedIn;
}

QString FailureText(Outcome outcome) {
    return outcome == Outcome::WrongPassword ? QStringLiteral("Incorrect Password")
                                             : QStringLiteral("Admin Account do not exist or was banned");
}

} // namespace OperatorSignIn
