#include "DemoServerTest.h"

#include "containers/ContainerStore.h"
#include "platform/StatementJournal.h"

namespace {

// Loads and saves of the container columns on the demo server, where the
// account kestrel has a warehouse (money 1982263, password 1000) and the
// vaults 1 and 2.
class ContainerStoreTest : public DemoServerTest {
protected:
    [[nodiscard]] QString warehouse(const char* account) const {
        return rows(S("SELECT Money || '|' || pw FROM Warehouse WHERE AccountID = '") + S(account) + S("'"))
            .value(0);
    }
};

TEST_F(ContainerStoreTest, OnlyWholeVaultNumbersAreOffered) {
    raw(S("INSERT INTO ExtraVault (AccountID, VaultNumber) VALUES "
          "('kestrel', '3 OR 1=1'), ('kestrel', 'x'), ('kestrel', 4)"));
    EXPECT_EQ(ContainerStore::VaultNumbers(S("kestrel")), (QStringList{S("1"), S("2"), S("4")}));
}

TEST_F(ContainerStoreTest, AWarehouseIsWrittenOnlyWithMoneyAndPasswordInRange) {
    using ContainerStore::WarehouseSave;
    const QString literal = S("0x") + QString(ItemRecord::kWarehouseRecords * 20, QLatin1Char('F'));
    struct Case {
        const char* account;
        const char* money;
        const char* password;
        WarehouseSave result;
        const char* stored; // kestrel's money|pw afterwards
    };
    for (const Case& c : {Case{"kestrel", "2000000001", "1", WarehouseSave::MoneyInvalid, "1982263|1000"},
                          Case{"kestrel", "-5", "1", WarehouseSave::MoneyInvalid, "1982263|1000"},
                          Case{"kestrel", "5", "10000", WarehouseSave::PasswordInvalid, "1982263|1000"},
                          Case{"kestrel", "5", "", WarehouseSave::PasswordInvalid, "1982263|1000"},
                          Case{"nobody", "5", "1", WarehouseSave::RowMissing, "1982263|1000"},
                          Case{"kestrel", "2000000000", "9999", WarehouseSave::Saved, "2000000000|9999"}}) {
        StatementJournal::Recorder journal;
        EXPECT_EQ(ContainerStore::SaveWarehouse({S(c.account), literal, S(c.money), S(c.password)}), c.result)
            << c.money << " " << c.password;
        // A refused number builds no statement at all.
        const bool refused =
            c.result == WarehouseSave::MoneyInvalid || c.result == WarehouseSave::PasswordInvalid;
        EXPECT_EQ(journal.texts().empty(), refused) << c.money << " " << c.password;
        EXPECT_EQ(warehouse("kestrel"), S(c.stored)) << c.money << " " << c.password;
    }
}

} // namespace
