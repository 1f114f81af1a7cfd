// Connection strings come from the settings file, which anybody can edit:
// any text is either classified or refused with the tool's error.
#include "FuzzCheck.h"

#include "platform/ConnectionString.h"
#include "platform/TanorError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = Fuzz::Text(data, size);
    const QMap<QString, QString> pairs = ConnectionString::Pairs(text);
    for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
        FUZZ_CHECK(it.key() == it.key().toLower());
    try {
        const ConnectionTarget target = ConnectionString::Parse(text);
        (void)target;
    } catch (const DbError&) {
    }
    // The password runs to the end of the text: whatever follows "pwd=" in
    // a data source string comes back whole.
    const QString odbc =
        QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=x;uid=u;pwd=");
    const ConnectionTarget withPassword = ConnectionString::Parse(odbc + text);
    FUZZ_CHECK(withPassword.kind == ConnectionTarget::Kind::OdbcDataSource);
    FUZZ_CHECK(withPassword.password == text);
    return 0;
}
