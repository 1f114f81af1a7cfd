// Any text either rewrites into statements for the embedded server or raises
// the tool's own error; it never crashes or hangs. The tokenizer loses
// nothing: the tokens joined give the text back.
#include "FuzzCheck.h"

#include "platform/SqlTokenizer.h"
#include "platform/SqliteDialect.h"
#include "platform/TanorError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString sql = Fuzz::Text(data, size);
    const QVector<SqlToken> tokens = SqlTokenizer::Tokenize(sql);
    FUZZ_CHECK(SqlTokenizer::Join(tokens) == sql);
    for (const QVector<SqlToken>& statement : SqlTokenizer::SplitStatements(tokens)) {
        FUZZ_CHECK(!statement.isEmpty());
        for (const SqlToken& token : statement)
            FUZZ_CHECK(!token.text.isEmpty());
    }
    for (const bool catalogue : {false, true}) {
        try {
            const auto statements = SqliteDialect::Rewrite(sql, {QStringLiteral("TanorOnline"), catalogue});
            for (const SqliteDialect::Statement& s : statements)
                FUZZ_CHECK(s.isProcedure ? !s.call.name.isEmpty() : !s.sql.trimmed().isEmpty());
        } catch (const DbError&) {
            // A construct the embedded server cannot serve: the tool's error.
        }
    }
    return 0;
}
