#include "DemoServerTest.h"

#include "app/OperatorStore.h"
#include "app/ShellOps.h"

namespace {

// The operator table from the wizard's set-up on, as the administration
// window works on it.
TEST_F(EnvTest, OperatorStoreAnswersEachChangeWithItsOutcome) {
    const QString file = env.createDatabase(S("Ops"));
    ASSERT_EQ(OperatorStore::SetUp(S("Ops"), S("boss"), S("pw")), std::nullopt);
    EXPECT_TRUE(OperatorStore::TableReadable());
    const std::optional<OperatorStore::OperatorRecord> boss = OperatorStore::Load(S("boss"));
    ASSERT_TRUE(boss.has_value());
    EXPECT_EQ(boss->number + S("|") + boss->name + S("|") + boss->authority + S("|") + boss->blocked +
                  S("|") + boss->permission,
              S("1|Administrator|0|0|1"));
    EXPECT_FALSE(boss->date.isEmpty());
    EXPECT_EQ(OperatorStore::Load(S("nobody")), std::nullopt);

    using Change = OperatorStore::PasswordChange;
    using Added = OperatorStore::AddResult;
    EXPECT_EQ(OperatorStore::ChangePassword(S("boss"), S("PW"), S("new")), Change::WrongOldPassword);
    EXPECT_EQ(OperatorStore::ChangePassword(S("boss"), S("pw"), S("new")), Change::Changed);
    EXPECT_EQ(OperatorStore::Add(S("boss"), S("x"), S("Again")), Added::IdExists);
    EXPECT_EQ(OperatorStore::Add(S("clerk"), S("x"), S("Clerk")), Added::Added);
    EXPECT_EQ(rawRows(file, S("SELECT mang___id, mang__pwd, mang_name FROM MANG_INFO ORDER BY mang_guid")),
              (QStringList{S("boss|new|Administrator"), S("clerk|x|Clerk")}));
    EXPECT_EQ(OperatorStore::OtherOperatorIds(), QStringList{S("clerk")});
    OperatorStore::Remove(S("clerk"));
    EXPECT_EQ(OperatorStore::OtherOperatorIds(), QStringList());

    // A second set-up finds the table and only adds its operator.
    EXPECT_EQ(OperatorStore::SetUp(S("Ops"), S("second"), S("pw")), std::nullopt);
    EXPECT_EQ(OperatorStore::OtherOperatorIds(), QStringList{S("second")});
}

TEST_F(EnvTest, DeletingACharacterClearsTheSlotItStoodIn) {
    env.buildDemo();
    EXPECT_EQ(ShellOps::SlotNames(S("kestrel")), (QStringList{S("Kaelin"), S("Sparrow")}));
    EXPECT_EQ(ShellOps::OwnerOf(S("Sparrow")), S("kestrel"));
    const struct {
        const char* character;
        int slot;
    } cases[] = {{"Sparrow", 2}, {"Sparrow", 0}, {"Kaelin", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.character);
        EXPECT_EQ(ShellOps::DeleteCharacter(S("kestrel"), S(c.character)), c.slot);
    }
    EXPECT_EQ(ShellOps::SlotNames(S("kestrel")), QStringList());
    EXPECT_EQ(ShellOps::OwnerOf(S("Sparrow")), QString());
    EXPECT_EQ(ShellOps::CharactersOfAccount(S("kestrel")), QStringList());
}

} // namespace
