#pragma once

#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/Query.h"
#include "tools/DemoBuilder.h"

// A small catalogue and a game server with a serial counter. Items carry
// keys for both record widths: the 10-byte code is type·32 + number (ID the
// low byte, Unique 8 when the code is 256 or more), the 16-byte key is the
// number (ID2) and the type (Unique2); Code32 "F9" items add 32 to ID2.
inline const char* kCatalogueSql = R"(
INSERT INTO Item (Name, Type, ID, "Unique", Code32, ID2, Unique2, x, y, SetNumber, SetItem, ExcOptionType, WearTo) VALUES
  ('Short Sword',   'Swords',  '02', 0, '00', '02', 0,  1, 3, 0, 'any',  'we', 'OR'),
  ('Kukri',          'Swords',  '01', 0, '00', '01', 0,  1, 2, 0, 'any',  'we', 'OR'),
  ('Gryphon Sword',  'Swords',  '05', 0, '00', '05', 0,  2, 3, 5, 'Aurel', 'we', 'OR'),
  ('O''Brien Axe',  'Axes',    '20', 0, '00', '00', 1,  2, 3, 0, 'any',  'we', 'OR'),
  ('Small Shield',  'Shields', 'C0', 0, '00', '00', 6,  2, 2, 0, 'any',  'ar', 'OL'),
  ('Gryphon Shield', 'Shields', 'C5', 0, '00', '05', 6,  2, 2, 5, 'Aurel', 'ar', 'OL'),
  ('Bronze Helm',   'Helms',   'E0', 0, '00', '00', 7,  2, 2, 0, 'any',  'ar', 'helm'),
  ('Gryphon Helm',   'Helms',   'E5', 0, '00', '05', 7,  2, 2, 5, 'Aurel', 'ar', 'helm'),
  ('Odd Helm',      'Helms',   'E9', 0, '00', '09', 7,  2, 2, 0, 'any',  'ar', 'armor'),
  ('Bronze Armor',  'Armors',  '00', 8, '00', '00', 8,  2, 3, 0, 'any',  'ar', 'armor'),
  ('Gryphon Armor',  'Armors',  '05', 8, '00', '05', 8,  2, 3, 5, 'Aurel', 'ar', 'armor'),
  ('Bronze Gloves', 'Gloves',  '40', 8, '00', '00', 10, 2, 2, 0, 'any',  'ar', 'gloves'),
  ('Fairy Wings',   'Wings',   '80', 8, '00', '00', 12, 3, 2, 0, 'any',  'wi', 'wings'),
  ('Ring of Frost',   'Rings',   'A0', 8, '00', '00', 13, 1, 1, 0, 'any',  'any', 'rings'),
  ('Jewel of Dawn','Jewels',  'CD', 8, 'F9', '2D', 14, 1, 1, 0, 'any',  'any', 'none'),
  ('Bolt',          'Jewels',  'CD', 8, '00', '0D', 14, 1, 1, 0, 'any',  'any', 'none');
INSERT INTO Skill VALUES ('01', 'Blight', 'Wizard');
INSERT INTO Skill VALUES ('02', 'Starfall', 'Wizard');
INSERT INTO Skill VALUES ('13', 'Gale', 'Knight');
)";

inline const char* kGameSql = R"(
CREATE TABLE GameServerInfo (ItemCount INTEGER);
INSERT INTO GameServerInfo VALUES (100);
CREATE TABLE tanor_procedures (name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT);
INSERT INTO tanor_procedures VALUES ('QJ_GetItemSerial', '',
  'UPDATE GameServerInfo SET ItemCount = ItemCount + 1; SELECT ItemCount FROM GameServerInfo');
)";

// An editor folder with the catalogue and the game server; Version as given.
class ItemFixture : public EnvTest {
protected:
    void SetUp() override {
        TestEnvironment::execRaw(env.path(QStringLiteral("TanorEditor.mdb")),
                                 DemoBuilder::CatalogueSchema() + QString::fromLatin1(kCatalogueSql));
        env.createServer(QStringLiteral("Game"), QString::fromLatin1(kGameSql));
    }
    static void setVersion(int version) {
        WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), version);
    }
    static Query game(const QString& sql) {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(sql);
        return q;
    }
    static int itemCount() {
        Query q = game(QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
        q.Open();
        return q.Fields(0).AsInteger();
    }
    static void setItemCount(qint64 count) {
        game(QStringLiteral("UPDATE GameServerInfo SET ItemCount = ") + QString::number(count)).ExecSQL();
    }
};
