#include "ShellFixture.h"

#include "OdbcDrivers.h"
#include "app/WizardUnit.h"
#include "platform/StatementJournal.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kCreateTable =
    QStringLiteral("CREATE TABLE [MANG_INFO] ( [mang_guid] [int] IDENTITY (1, 1) NOT NULL , \t[mang___id] "
                   "[varchar] (15) COLLATE "
                   "Polish_CI_AS NOT NULL , \t[mang__pwd] [varchar] (34) COLLATE Modern_Spanish_CI_AS NOT "
                   "NULL ,[mang_name] [varchar] "
                   "(20) COLLATE Polish_CI_AS NOT NULL ,  \t[auth_code] [int] NOT NULL ,   \t[appl_day] "
                   "[smalldatetime] NULL "
                   ",[bloc_code] [int] NOT NULL ,  \t[perm] [int] NOT NULL) ON [PRIMARY]");

// A port on the loopback address: listening without ever answering (the
// kernel takes the connection, nobody reads it), or closed again.
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening) {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
            (listening && ::listen(m_socket, 4) != 0))
            throw std::runtime_error("no loopback port");
        m_port = ntohs(address.sin_port);
        if (!listening)
            close();
    }
    ~LoopbackPort() { close(); }
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;
    [[nodiscard]] int port() const { return m_port; }

private:
    void close() {
        if (m_socket >= 0)
            ::close(m_socket);
        m_socket = -1;
    }
    int m_socket = -1;
    int m_port = 0;
};

class WizardTest : public ShellTest {
protected:
    // Walks from page 1 to page 4 with the given operator.
    static void toLastPage(TWizardForm& w, const QString& database, const QString& id,
                           const QString& password) {
        click(&w, QStringLiteral("Next"));
        child<QComboBox>(&w, QStringLiteral("ComboBox1"))->setCurrentText(database);
        click(&w, QStringLiteral("Next"));
        type(&w, QStringLiteral("Edit1"), id);
        type(&w, QStringLiteral("Edit2"), password);
        type(&w, QStringLiteral("Edit3"), password);
        click(&w, QStringLiteral("Next"));
        ASSERT_EQ(w.Page(), 4);
    }
    static QString nextText(const TWizardForm& w) {
        return child<QPushButton>(&w, QStringLiteral("Next"))->text();
    }
};

TEST_F(WizardTest, ListsTheLocalDatabasesAndOpensOnTheWelcomePage) {
    env.createDatabase(QStringLiteral("Beta"));
    env.createDatabase(QStringLiteral("Alpha"));
    TWizardForm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vorn Tanor Editor Wizard"));
    const auto* list = child<QComboBox>(&w, QStringLiteral("ComboBox1"));
    EXPECT_EQ(items(list), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("Alpha"));
    EXPECT_EQ(w.Page(), 1);
    EXPECT_FALSE(child<QPushButton>(&w, QStringLiteral("Back"))->isEnabled());
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("Edit2"))->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("Edit1"))->maxLength(), 10);
}

TEST_F(WizardTest, PagesMoveOneAtATimeUnderTheirChecks) {
    BoxScript boxes;
    boxes.ok(3);   // the empty list is reported at once
    TWizardForm w; // no database at all
    EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("ComboBox1"))->currentIndex(), -1);
    click(&w, QStringLiteral("Back")); // disabled on page 1
    EXPECT_EQ(w.Page(), 1);
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 2);
    EXPECT_TRUE(child<QPushButton>(&w, QStringLiteral("Back"))->isEnabled());
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 2);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Wizard"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("You must select a DB"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);

    child<QComboBox>(&w, QStringLiteral("ComboBox1"))->addItem(QStringLiteral("Ops"));
    child<QComboBox>(&w, QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 3);
    type(&w, QStringLiteral("Edit2"), QStringLiteral("one"));
    type(&w, QStringLiteral("Edit3"), QStringLiteral("One"));
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 3);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Password do not match"));
    type(&w, QStringLiteral("Edit3"), QStringLiteral("one"));
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 4);
    EXPECT_EQ(nextText(w), QStringLiteral("Finish"));

    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 3);
    EXPECT_EQ(nextText(w), QStringLiteral("Next >>"));
    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 2);
    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 2);
}

TEST_F(WizardTest, FinishCreatesTheTableRegistersTheDataSourceAndAddsTheFirstOperator) {
    const QString file = env.createDatabase(QStringLiteral("Ops"));
    env.createDatabase(QStringLiteral("Another"));
    TWizardForm w;
    QSignalSpy accepted(&w, &QDialog::accepted);
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("o'boss"), QStringLiteral("p'w"));
    StatementJournal::Recorder journal;
    click(&w, QStringLiteral("Next"));

    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            kCreateTable, QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, "
                                         "appl_day, bloc_code, perm) VALUES ('o''boss','p''w', "
                                         "'Administrator',0,getdate(),0,1)")}));
    EXPECT_EQ(journal.entries().front().connection, QStringLiteral("VornMNG"));
    EXPECT_EQ(journal.entries().front().error, QString());
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(w.SetupDone());
    EXPECT_EQ(ReadSetting(QStringLiteral("ODBCConnection"), QStringLiteral("VornDNS")),
              QStringLiteral("VornMNG"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Setup")), QStringLiteral("1"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Database")), file);
    const QStringList rows =
        rawRows(file, QStringLiteral("SELECT mang_guid, mang___id, mang__pwd, mang_name, auth_code, "
                                     "bloc_code, perm, appl_day IS NOT NULL FROM MANG_INFO"));
    EXPECT_EQ(rows, QStringList{QStringLiteral("1|o'boss|p'w|Administrator|0|0|1|1")});
}

TEST_F(WizardTest, RunningAgainOnAnExistingTableAddsOneMoreOperator) {
    env.createDatabase(QStringLiteral("Operators"), QString::fromLatin1(kOperatorSchema));
    TWizardForm w;
    toLastPage(w, QStringLiteral("Operators"), QStringLiteral("second"), QStringLiteral("x"));
    StatementJournal::Recorder journal;
    click(&w, QStringLiteral("Next")); // the failed CREATE TABLE shows nothing
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_FALSE(journal.entries()[0].error.isEmpty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(rawRows(env.path(QStringLiteral("Databases/Operators.db")),
                      QStringLiteral("SELECT mang_guid, mang___id, auth_code FROM MANG_INFO")),
              (QStringList{QStringLiteral("1|admin|0"), QStringLiteral("2|second|0")}));
}

TEST_F(WizardTest, AFailedFirstOperatorIsReportedAndTheWizardStaysOnItsLastPage) {
    // A table of that name that cannot take the operator row.
    env.createDatabase(QStringLiteral("Ops"), QStringLiteral("CREATE TABLE MANG_INFO (mang_guid INTEGER);"));
    TWizardForm w;
    QSignalSpy finished(&w, &QDialog::finished);
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("boss"), QStringLiteral("pw"));
    BoxScript boxes;
    boxes.ok();
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Wizard"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("The first operator could not be created")));
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(w.Page(), 4);
    EXPECT_EQ(nextText(w), QStringLiteral("Finish"));
}

TEST_F(WizardTest, ListsTheMasterServersDatabasesAndRegistersTheChosenOneOnThatServer) {
    env.createDatabase(QStringLiteral("LocalOnly"));
    const std::pair<const char*, const char*> master[] = {{"Driver", TANOR_CATALOGUE_DRIVER},
                                                          {"Catalogues", "master,Ops,Game"},
                                                          {"Server", "sqlhost"},
                                                          {"Port", "1433"}};
    for (const auto& [key, value] : master)
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Master"), QString::fromLatin1(key),
                                        QString::fromLatin1(value)));
    WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("MasterDNS"), QStringLiteral("Master"));

    TWizardForm w;
    const auto* list = child<QComboBox>(&w, QStringLiteral("ComboBox1"));
    EXPECT_EQ(items(list),
              (QStringList{QStringLiteral("master"), QStringLiteral("Ops"), QStringLiteral("Game")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("master"));
    toLastPage(w, QStringLiteral("Game"), QStringLiteral("boss"), QStringLiteral("pw"));
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok(); // the stand-in driver serves no statements: the operator cannot be added
    click(&w, QStringLiteral("Next"));

    for (const auto& [key, value] :
         {std::pair{"Driver", TANOR_CATALOGUE_DRIVER}, std::pair{"Server", "sqlhost"},
          std::pair{"Port", "1433"}, std::pair{"Database", "Game"}, std::pair{"Setup", "1"}})
        EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QString::fromLatin1(key)),
                  QString::fromLatin1(value))
            << key;
    EXPECT_EQ(ReadSetting(QStringLiteral("ODBCConnection"), QStringLiteral("VornDNS")),
              QStringLiteral("VornMNG"));
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries()[0].text, kCreateTable);
    EXPECT_EQ(journal.entries()[1].connection, QStringLiteral("VornMNG"));
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("The first operator could not be created")));
}

TEST_F(WizardTest, AServerThatCannotBeReachedIsReportedWithItsOwnText) {
    const InstalledOdbcDriver freetds = FindOdbcDriver(QStringLiteral("FreeTDS"));
    REQUIRE_ODBC_DRIVER(freetds, "FreeTDS");
    env.createDatabase(QStringLiteral("LocalOnly"));
    WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("ID"), QStringLiteral("sa"));
    // A data source name of its own per row: the driver manager keeps what it
    // read of a data source for a while.
    const struct {
        bool listening;
        QString dsn;
        QString text;
    } rows[] = {
        {false, QStringLiteral("TdsClosed"),
         QStringLiteral("Unable to connect: Adaptive Server is unavailable or does not exist")},
        // Taken and never answered: the login timeout ends the wait.
        {true, QStringLiteral("TdsSilent"), QStringLiteral("Timeout expired")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.listening ? "silent server" : "closed port");
        const LoopbackPort server(row.listening);
        const std::pair<QString, QString> entry[] = {{QStringLiteral("Driver"), freetds.name},
                                                     {QStringLiteral("Server"), QStringLiteral("127.0.0.1")},
                                                     {QStringLiteral("Port"), QString::number(server.port())},
                                                     {QStringLiteral("TDS_Version"), QStringLiteral("7.4")}};
        for (const auto& [key, value] : entry)
            ASSERT_TRUE(OdbcRegistry::Write(row.dsn, key, value));
        WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("MasterDNS"), row.dsn);
        BoxScript boxes;
        boxes.ok(2);
        TWizardForm w;
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("[FreeTDS]")) &&
                    boxes.last().text.contains(row.text))
            << boxes.last().text.toStdString();
        EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("ComboBox1"))->count(), 0);
        click(&w, QStringLiteral("Next"));
        click(&w, QStringLiteral("Next"));
        EXPECT_EQ(w.Page(), 2);
        EXPECT_EQ(boxes.last().text, QStringLiteral("You must select a DB"));
    }
}

// A listing that works but finds nothing says where it looked, and leaves
// no wait cursor behind.
TEST_F(WizardTest, AnEmptyListingIsReportedNamingWhereItLooked) {
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Bare"), QStringLiteral("Driver"),
                                    QString::fromLatin1(TANOR_CATALOGUE_DRIVER)));
    const struct {
        QString master;
        QString text;
    } rows[] = {
        {QString(), QStringLiteral("The local server lists no database to create the operator table in.")},
        // The driver answers one catalogue without a name.
        {QStringLiteral("Bare"),
         QStringLiteral("The server of data source Bare (ODBCConnection/MasterDNS in the "
                        "settings) lists no database to create the operator table in.")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.master.toStdString());
        WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("MasterDNS"), row.master);
        BoxScript boxes;
        boxes.ok();
        TWizardForm w;
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Wizard"));
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);
        EXPECT_EQ(boxes.last().text, row.text);
        EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("ComboBox1"))->count(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(WizardTest, CloseAsksAndMarksSetupUndoneEvenWhenCancelled) {
    env.createDatabase(QStringLiteral("Ops"));
    TWizardForm w;
    QSignalSpy rejected(&w, &QDialog::rejected);
    BoxScript boxes;
    boxes.cancel();
    EXPECT_TRUE(w.SetupDone());
    click(&w, QStringLiteral("Closed"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are You Sure?"));
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_FALSE(w.SetupDone());

    // Going on to Finish after all sets it again.
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("boss"), QStringLiteral("pw"));
    click(&w, QStringLiteral("Next"));
    EXPECT_TRUE(w.SetupDone());

    TWizardForm again;
    QSignalSpy closed(&again, &QDialog::rejected);
    boxes.ok();
    click(&again, QStringLiteral("Closed"));
    EXPECT_FALSE(again.SetupDone());
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
