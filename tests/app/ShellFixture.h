#pragma once

#include "BoxScript.h"
#include "Child.h"
#include "ModalScript.h"
#include "RawRows.h"
#include "TestEnvironment.h"

#include "app/AuthenticationUnit.h"
#include "core/UtilitiesUnit.h"
#include "platform/OdbcRegistry.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include <stdexcept>

// A small game server: accounts with characters in their slots (gaps, a full
// account, an account without a slot row, names with quotes), guilds with
// members, a friend list, and the guild deletion procedure.
inline const char* kGameSchema = R"(
CREATE TABLE MEMB_INFO (memb_guid INTEGER PRIMARY KEY AUTOINCREMENT, memb___id TEXT COLLATE NOCASE NOT NULL,
                        memb__pwd TEXT, memb_name TEXT);
CREATE TABLE MEMB_STAT (memb___id TEXT COLLATE NOCASE, ConnectStat INTEGER, ServerName TEXT, IP TEXT,
                        ConnectTM TEXT, DisConnectTM TEXT);
CREATE TABLE Character (AccountID TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE PRIMARY KEY, cLevel INTEGER);
CREATE TABLE AccountCharacter (Number INTEGER PRIMARY KEY AUTOINCREMENT, Id TEXT COLLATE NOCASE,
                               GameID1 TEXT COLLATE NOCASE, GameID2 TEXT COLLATE NOCASE, GameID3 TEXT COLLATE NOCASE,
                               GameID4 TEXT COLLATE NOCASE, GameID5 TEXT COLLATE NOCASE, GameIDC TEXT COLLATE NOCASE);
CREATE TABLE Guild (G_Name TEXT COLLATE NOCASE PRIMARY KEY, G_Master TEXT COLLATE NOCASE, G_Mark BLOB,
                    G_Score INTEGER, G_Notice TEXT);
CREATE TABLE GuildMember (Name TEXT COLLATE NOCASE PRIMARY KEY, G_Name TEXT COLLATE NOCASE, G_Level INTEGER,
                          G_Status INTEGER);
CREATE TABLE T_FriendMain (GUID INTEGER, Name TEXT COLLATE NOCASE, FriendCount INTEGER);
CREATE TABLE Warehouse (AccountID TEXT COLLATE NOCASE, Items BLOB, Money INTEGER);
CREATE TABLE tanor_procedures (name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT);
INSERT INTO tanor_procedures VALUES ('QJ_SetGuildDelete', '@GuildName',
  'DELETE FROM GuildMember WHERE G_Name = :GuildName; DELETE FROM Guild WHERE G_Name = :GuildName; SELECT 0 AS Result');

INSERT INTO MEMB_INFO (memb___id) VALUES ('alpha1'), ('delta'), ('five'), ('o''neil'), ('lonely'), ('twice'),
                                         ('ghost');
INSERT INTO MEMB_STAT VALUES ('alpha1', 1, 'S1', '1.2.3.4', '', ''), ('delta', 0, 'S1', '', '', ''),
                             ('five', 1, 'S2', '', '', '');
INSERT INTO Character VALUES ('alpha1', 'Alpha', 10), ('alpha1', 'Bravo', 20), ('delta', 'Dove', 30),
  ('five', 'F1', 1), ('five', 'F2', 1), ('five', 'F3', 1), ('five', 'F4', 1), ('five', 'F5', 1),
  ('o''neil', 'Kenn''y', 5), ('twice', 'Twin', 7), ('ghost', 'Seen', 1), ('ghost', 'Stray', 1);
INSERT INTO AccountCharacter (Id, GameID1, GameID2, GameID3, GameID4, GameID5, GameIDC) VALUES
  ('alpha1', 'Alpha', 'Bravo', NULL, NULL, NULL, 'Alpha'),
  ('delta', NULL, '', 'Dove', NULL, NULL, NULL),
  ('five', 'F1', 'F2', 'F3', 'F4', 'F5', NULL),
  ('o''neil', 'Kenn''y', NULL, NULL, NULL, NULL, 'Kenn''y'),
  ('twice', NULL, 'Twin', NULL, 'Twin', NULL, NULL),
  ('ghost', 'Seen', NULL, NULL, NULL, NULL, NULL);
INSERT INTO Guild (G_Name, G_Master, G_Score) VALUES ('Knights', 'Alpha', 5), ('Lions', 'Dove', 3),
                                                     ('O''Brien', 'Kenn''y', 1);
INSERT INTO GuildMember VALUES ('Alpha', 'Knights', 0, 128), ('Bravo', 'Knights', 0, 0), ('Dove', 'Lions', 0, 128),
                               ('Kenn''y', 'O''Brien', 0, 128);
INSERT INTO T_FriendMain VALUES (1, 'Alpha', 2);
INSERT INTO Warehouse VALUES ('alpha1', X'FF', 100);
)";

// The operator table as the server holds it once the wizard made it.
inline const char* kOperatorSchema = R"(
CREATE TABLE MANG_INFO (mang_guid INTEGER PRIMARY KEY AUTOINCREMENT, mang___id TEXT COLLATE NOCASE NOT NULL,
                        mang__pwd TEXT NOT NULL, mang_name TEXT NOT NULL, auth_code INTEGER NOT NULL,
                        appl_day TEXT, bloc_code INTEGER NOT NULL, perm INTEGER NOT NULL);
INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm)
  VALUES ('admin', 'Secret', 'Administrator', 0, '2024-01-02 03:04:05.000', 0, 1);
)";

// Chooses an item of a drop-down list as the operator does.
inline void pick(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    if (index < 0)
        throw std::runtime_error("no item " + text.toStdString());
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

inline QStringList items(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

inline void click(const QObject* root, const QString& name) {
    child<QAbstractButton>(root, name)->click();
}

inline void type(const QObject* root, const QString& name, const QString& text) {
    child<QLineEdit>(root, name)->setText(text);
}

class ShellTest : public EnvTest {
protected:
    // The game server behind all four game keys.
    void createGame() { m_game = env.createServer(QStringLiteral("Game"), QString::fromLatin1(kGameSchema)); }

    // The operator database with its table and the first operator, reached
    // through "VornMNG" as the wizard leaves it (marker 1).
    void createOperators(const char* schema = kOperatorSchema) {
        m_operators = env.createDatabase(QStringLiteral("Operators"), QString::fromLatin1(schema));
        RegisterOperatorDataSource(QStringLiteral("Operators"));
        WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("VornDNS"), QStringLiteral("VornMNG"));
    }

    void setMarker(int value) {
        ASSERT_TRUE(
            OdbcRegistry::Write(QStringLiteral("VornMNG"), QStringLiteral("Setup"), QString::number(value)));
    }

    // A ready server: game, operators, settings saved once.
    void createReadyServer() {
        createGame();
        createOperators();
        WriteSettingInt(QStringLiteral("Internal"), QStringLiteral("Setup"), 1);
    }

    [[nodiscard]] QStringList game(const QString& sql) const { return rawRows(m_game, sql); }
    [[nodiscard]] QStringList operators(const QString& sql) const { return rawRows(m_operators, sql); }

    // The sign-in step of a start-up script.
    static void signIn(ModalScript& modal, const QString& id = QStringLiteral("admin"),
                       const QString& password = QStringLiteral("Secret")) {
        modal.then<TAuthenticationForm>([id, password](TAuthenticationForm* f) {
            type(f, QStringLiteral("AdminID"), id);
            type(f, QStringLiteral("Pass"), password);
            click(f, QStringLiteral("Connect"));
        });
    }

    QString m_game;
    QString m_operators;
};
