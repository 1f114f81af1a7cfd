#include "TestEnvironment.h"

#include "platform/ConnectionString.h"
#include "platform/SqliteDialect.h"
#include "platform/TanorError.h"

namespace {

SqliteDialect::Statement rewrite(const QString& sql, bool catalogue = false,
                                 const QString& own = QStringLiteral("TanorOnline")) {
    SqliteDialect::Context ctx;
    ctx.ownDatabase = own;
    ctx.catalogue = catalogue;
    const auto all = SqliteDialect::Rewrite(sql, ctx);
    EXPECT_EQ(all.size(), 1);
    return all.value(0);
}

QString sql(const QString& text, bool catalogue = false) {
    return rewrite(text, catalogue).sql;
}

TEST(Dialect, BinaryLiteralsBecomeBlobs) {
    EXPECT_EQ(sql(QStringLiteral("UPDATE Character SET Inventory= 0xFFFF0a WHERE Name= 'a0x1'")),
              QStringLiteral("UPDATE Character SET Inventory= X'FFFF0a' WHERE Name= 'a0x1'"));
    EXPECT_EQ(sql(QStringLiteral("INSERT INTO MEMB_INFO (memb__pwd) VALUES (0x0000)")),
              QStringLiteral("INSERT INTO MEMB_INFO (memb__pwd) VALUES (X'0000')"));
    EXPECT_THROW((void)sql(QStringLiteral("UPDATE T SET x=0xABC")), DbError);
}

TEST(Dialect, TopBecomesLimit) {
    EXPECT_EQ(sql(QStringLiteral("SELECT TOP 100 Name FROM Character ORDER BY cLevel DESC")),
              QStringLiteral("SELECT Name FROM Character ORDER BY cLevel DESC LIMIT 100"));
    EXPECT_EQ(sql(QStringLiteral("select distinct top 5 Class from Skill")),
              QStringLiteral("select distinct Class from Skill LIMIT 5"));
    EXPECT_THROW((void)sql(QStringLiteral("SELECT * FROM (SELECT TOP 1 x FROM t)")), DbError);
    EXPECT_THROW((void)sql(QStringLiteral("SELECT TOP 10 PERCENT x FROM t")), DbError);
    // A column named like the keyword inside a string or a quoted name stays.
    EXPECT_EQ(sql(QStringLiteral("SELECT [top] FROM t WHERE x='TOP 1'")),
              QStringLiteral("SELECT [top] FROM t WHERE x='TOP 1'"));
}

TEST(Dialect, ConvertToDatetimeKeepsTheValue) {
    const QString log = QStringLiteral(
        "select sum (UsedTime), (select count(DISTINCT Id) from UseLog20070315 where (State='connect') and "
        "(DateTime between Convert(datetime, '2007-03-15 05:00:00.000') and Convert(datetime, '2007-03-15 "
        "05:59:59.999'))) from UseLog20070315 where DateTime between Convert(datetime, '2007-03-15 "
        "05:00:00.000') "
        "and Convert(datetime, '2007-03-15 05:59:59.999')");
    const QString out = sql(log);
    EXPECT_FALSE(out.contains(QStringLiteral("Convert"), Qt::CaseInsensitive));
    EXPECT_TRUE(
        out.contains(QStringLiteral("between ('2007-03-15 05:00:00.000') and ('2007-03-15 05:59:59.999')")))
        << out.toStdString();
    EXPECT_THROW((void)sql(QStringLiteral("SELECT Convert(varchar, x) FROM t")), DbError);
}

TEST(Dialect, ThreePartNamesAttachOtherDatabases) {
    const auto st = rewrite(QStringLiteral(
        "SELECT ServerName, Ip, ConnectTM, DisconnectTM, GameIDC from MuAcc..MEMB_STAT full join "
        "TanorOnline..AccountCharacter on memb___id = Id full join TanorOnline..Character on Name = "
        "GameIDC"));
    EXPECT_EQ(st.attach, QStringList{QStringLiteral("MuAcc")});
    EXPECT_EQ(
        st.sql,
        QStringLiteral("SELECT ServerName, Ip, ConnectTM, DisconnectTM, GameIDC from MuAcc.MEMB_STAT "
                       "full join AccountCharacter on memb___id = Id full join Character on Name = GameIDC"));
    EXPECT_EQ(sql(QStringLiteral("SELECT x from ..MEMB_STAT")), QStringLiteral("SELECT x from MEMB_STAT"));
    EXPECT_EQ(sql(QStringLiteral("SELECT 'a..b' from t")), QStringLiteral("SELECT 'a..b' from t"));
    // Database names compare without case, as on the server: the own database
    // in another case is not attached a second time, another one once.
    const auto mixed = rewrite(QStringLiteral("SELECT x FROM TanorOnline..T JOIN [TANORONLINE]..U ON 1 "
                                              "JOIN muacc..V ON 1 JOIN MuAcc..W ON 1"),
                               false, QStringLiteral("tanoronline"));
    EXPECT_EQ(mixed.sql, QStringLiteral("SELECT x FROM T JOIN U ON 1 JOIN muacc.V ON 1 JOIN MuAcc.W ON 1"));
    EXPECT_EQ(mixed.attach, QStringList{QStringLiteral("muacc")});
}

TEST(Dialect, OperatorTableDdl) {
    const QString ddl = QStringLiteral(
        "CREATE TABLE [MANG_INFO] ( [mang_guid] [int] IDENTITY (1, 1) NOT NULL , \t[mang___id] [varchar] "
        "(15) "
        "COLLATE Polish_CI_AS NOT NULL , \t[mang__pwd] [varchar] (34) COLLATE Modern_Spanish_CI_AS NOT NULL "
        ",[mang_name] [varchar] (20) COLLATE Polish_CI_AS NOT NULL ,  \t[auth_code] [int] NOT NULL ,   "
        "\t[appl_day] "
        "[smalldatetime] NULL ,[bloc_code] [int] NOT NULL ,  \t[perm] [int] NOT NULL) ON [PRIMARY]");
    const QString out = sql(ddl);
    EXPECT_TRUE(out.contains(QStringLiteral("[mang_guid] INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("COLLATE NOCASE NOT NULL")));
    EXPECT_FALSE(out.contains(QStringLiteral("PRIMARY]")));
    EXPECT_FALSE(out.contains(QStringLiteral("_CI_AS")));
    // SQLite accepts the result as it stands.
    TestEnvironment env;
    const QString file = env.createDatabase(QStringLiteral("Ops"));
    EXPECT_NO_THROW(TestEnvironment::execRaw(
        file, out + QStringLiteral(";INSERT INTO MANG_INFO (mang___id, "
                                   "mang__pwd, mang_name, auth_code, appl_day, "
                                   "bloc_code, perm) VALUES ('a','b','c',0,'',0,1);")));
}

TEST(Dialect, CatalogueQuotesTheUniqueColumn) {
    EXPECT_EQ(
        sql(QStringLiteral("SELECT Name,x,y FROM Item WHERE (id= '1F' ) AND (unique= 8 )AND (Code32='00')"),
            true),
        QStringLiteral("SELECT Name,x,y FROM Item WHERE (id= '1F' ) AND (\"unique\"= 8 )AND (Code32='00')"));
    EXPECT_EQ(sql(QStringLiteral("SELECT ID, ID2,Unique, Unique2, Code32 FROM Item"), true),
              QStringLiteral("SELECT ID, ID2,\"Unique\", Unique2, Code32 FROM Item"));
    // Only the catalogue gets it.
    EXPECT_EQ(sql(QStringLiteral("SELECT Unique FROM Item")), QStringLiteral("SELECT Unique FROM Item"));
}

TEST(Dialect, ExecuteBecomesAProcedureCall) {
    auto st = rewrite(QStringLiteral("EXECUTE QJ_MoveCharacter @AccountID='a''b'\r\n, @Name='x', "
                                     "@ChangeAccountID='c'\r\n,@IsOriginalAccountID=1"));
    ASSERT_TRUE(st.isProcedure);
    EXPECT_EQ(st.call.name, QStringLiteral("QJ_MoveCharacter"));
    ASSERT_EQ(st.call.arguments.size(), 4);
    EXPECT_EQ(st.call.arguments[0].first, QStringLiteral("AccountID"));
    EXPECT_EQ(st.call.arguments[0].second, QStringLiteral("'a''b'"));
    EXPECT_EQ(st.call.arguments[3].second, QStringLiteral("1"));
    st = rewrite(QStringLiteral("EXECUTE  QJ_DelMail @Name='n', @MemoIndex=-3"));
    EXPECT_EQ(st.call.arguments[1].second, QStringLiteral("-3"));
    st = rewrite(QStringLiteral("EXEC dbo.QJ_GetItemSerial"));
    EXPECT_EQ(st.call.name, QStringLiteral("QJ_GetItemSerial"));
    EXPECT_TRUE(st.call.arguments.isEmpty());
    st = rewrite(QStringLiteral("EXECUTE QJ_WaitFriendAdd\t@Name=N'x', @FriendName=0x41"));
    EXPECT_EQ(st.call.arguments[0].second, QStringLiteral("'x'"));
    EXPECT_EQ(st.call.arguments[1].second, QStringLiteral("X'41'"));
    EXPECT_THROW((void)rewrite(QStringLiteral("EXECUTE P @a=(SELECT 1)")), DbError);
}

TEST(Dialect, BatchesSplitOutsideStrings) {
    SqliteDialect::Context ctx;
    const auto all = SqliteDialect::Rewrite(QStringLiteral("DELETE FROM a WHERE x=';'; DELETE FROM b;"), ctx);
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].sql, QStringLiteral("DELETE FROM a WHERE x=';'"));
    EXPECT_FALSE(all[0].returnsRows);
    EXPECT_TRUE(SqliteDialect::Rewrite(QStringLiteral("select 1"), ctx)[0].returnsRows);
}

TEST(Dialect, StatementsThatRewriteToNothingAreRefused) {
    // Found by fuzzing: the rewriter used to read the first token of an
    // empty statement.
    SqliteDialect::Context ctx;
    ctx.ownDatabase = QStringLiteral("TanorOnline");
    for (const char* text : {"..", "TanorOnline..", "SELECT 1; ..", " .. ; SELECT 1"})
        EXPECT_THROW((void)SqliteDialect::Rewrite(QString::fromLatin1(text), ctx), DbError) << text;
    EXPECT_TRUE(SqliteDialect::Rewrite(QStringLiteral(" ; /* nothing */ ;"), ctx).isEmpty());
    for (const char* text : {"EXECUTE \"\"", "EXECUTE []", "EXECUTE \""})
        EXPECT_THROW((void)SqliteDialect::Rewrite(QString::fromLatin1(text), ctx), DbError) << text;
    EXPECT_EQ(SqliteDialect::Rewrite(QStringLiteral("EXECUTE [QJ_DelMail"), ctx).value(0).call.name,
              QStringLiteral("QJ_DelMail"));
}

TEST(ConnectionStrings, TheThreeForms) {
    auto t = ConnectionString::Parse(QStringLiteral(
        "Provider=MSDASQL.1;Persist Security Info=False;Data Source=Game DSN;uid=sa;pwd=p;w=d"));
    EXPECT_EQ(t.kind, ConnectionTarget::Kind::OdbcDataSource);
    EXPECT_EQ(t.dataSource, QStringLiteral("Game DSN"));
    EXPECT_EQ(t.user, QStringLiteral("sa"));
    EXPECT_EQ(t.password, QStringLiteral("p;w=d"));
    t = ConnectionString::Parse(QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/x/TanorEditor.mdb;Persist Security Info=False"));
    EXPECT_EQ(t.kind, ConnectionTarget::Kind::Catalogue);
    EXPECT_EQ(t.dataSource, QStringLiteral("/x/TanorEditor.mdb"));
    t = ConnectionString::Parse(
        QStringLiteral("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security "
                       "Info=False;Initial Catalog=master;Data Source=(local)"));
    EXPECT_EQ(t.kind, ConnectionTarget::Kind::LocalServer);
    EXPECT_EQ(t.catalog, QStringLiteral("master"));
    EXPECT_THROW((void)ConnectionString::Parse(QStringLiteral("Provider=Other;Data Source=x")), DbError);
}

} // namespace
