#include "BoxScript.h"
#include "ItemRig.h"

#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

namespace {

class PropertyEditorTest : public ItemFixture {
protected:
    std::unique_ptr<ItemRig> rig(ContainerKind kind = ContainerKind::Inventory) {
        auto r = std::make_unique<ItemRig>(kind);
        r->open();
        return r;
    }
    static QStringList entries(QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out.append(box->itemText(i));
        return out;
    }
};

} // namespace

TEST_F(PropertyEditorTest, StartsWithItsDefaults) {
    ItemRig r(ContainerKind::Inventory);
    EXPECT_EQ(r.hex(), QString(20, QLatin1Char('0')));
    EXPECT_EQ(r.child<QLineEdit>(QStringLiteral("VisualDurability"))->text(), QStringLiteral("255"));
    EXPECT_EQ(r.child<QLineEdit>(QStringLiteral("VisualSerial"))->text(), QStringLiteral("00000000"));
    EXPECT_TRUE(r.child<QCheckBox>(QStringLiteral("VisualAutoSerial"))->isChecked());
    EXPECT_EQ(r.child<QComboBox>(QStringLiteral("VisualLevel"))->count(), 14);
    EXPECT_EQ(r.child<QComboBox>(QStringLiteral("VisualLevel"))->itemText(13), QStringLiteral("+13"));
    EXPECT_EQ(r.child<QComboBox>(QStringLiteral("VisualOption"))->itemText(7), QStringLiteral("+28"));
    EXPECT_EQ(r.child<QCheckBox>(QStringLiteral("Visualexc6"))->text(),
              QStringLiteral("Increase Max. HP +4%"));
    EXPECT_EQ(r.child<QCheckBox>(QStringLiteral("Visualexc1"))->text(),
              QStringLiteral("Increases rate of Zen +40%"));
    EXPECT_EQ(r.editor->SetNumber(), 0);
    EXPECT_EQ(r.editor->UniqueText(), QStringLiteral("0"));
    EXPECT_EQ(r.editor->SetOptionIndex(), 0);
    const auto radios = r.child<QWidget>(QStringLiteral("VisualSetOptions"))->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 5);
    EXPECT_EQ(radios[3]->text(), QStringLiteral("+10(No Opt)"));

    setVersion(1);
    ItemRig wide(ContainerKind::Warehouse);
    EXPECT_EQ(wide.hex(), QString(32, QLatin1Char('0')));
    EXPECT_EQ(
        wide.child<QWidget>(QStringLiteral("VisualSetOptions"))->findChildren<QRadioButton*>()[3]->text(),
        QStringLiteral("+10 (No Opt)"));
    EXPECT_EQ(wide.child<QComboBox>(QStringLiteral("VisualSubType"))->maxVisibleItems(), 8);
}

TEST_F(PropertyEditorTest, SubTypeListIsSortedInTheInventoryOnly) {
    auto inventory = rig(ContainerKind::Inventory);
    EXPECT_EQ(entries(inventory->child<QComboBox>(QStringLiteral("VisualSubType"))),
              (QStringList{QStringLiteral("Gryphon Sword"), QStringLiteral("Kukri"),
                           QStringLiteral("Short Sword")}));
    EXPECT_EQ(inventory->editor->SubTypeText(), QStringLiteral("Gryphon Sword"));
    inventory.reset();
    auto warehouse = rig(ContainerKind::Warehouse);
    EXPECT_EQ(entries(warehouse->child<QComboBox>(QStringLiteral("VisualSubType"))),
              (QStringList{QStringLiteral("Short Sword"), QStringLiteral("Kukri"),
                           QStringLiteral("Gryphon Sword")}));
    EXPECT_EQ(warehouse->editor->SubTypeText(), QStringLiteral("Short Sword"));
}

TEST_F(PropertyEditorTest, BuildsARecordFieldByField) {
    auto r = rig();
    // Opening drew serial 101 (0x65) for Gryphon Sword: ID 05, Code32 overwritten by the serial.
    EXPECT_EQ(r->hex(), QStringLiteral("0500FF00000065000000"));
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Kukri"));
    EXPECT_EQ(r->hex(), QStringLiteral("0100FF00000065000000"));
    r->choose("VisualLevel", QStringLiteral("+9"));
    r->choose("VisualOption", QStringLiteral("+20"));
    r->check("VisualSkill");
    r->check("VisualLuck");
    // 0x80 + 0x48 + 0x04 + 0x01 = 0xCD; +20 sets bit 6 of byte 7.
    EXPECT_EQ(r->hex(), QStringLiteral("01CDFF00000065400000"));
    EXPECT_EQ(r->child<QCheckBox>(QStringLiteral("Visualexc6"))->text(),
              QStringLiteral("Excellent Damage Rate +10%"));
    r->check("Visualexc1");
    r->check("Visualexc6");
    EXPECT_EQ(r->hex().mid(14, 2), QStringLiteral("61"));
    r->choose("VisualLevel", QStringLiteral("+13"));
    r->choose("VisualOption", QStringLiteral("+28"));
    EXPECT_EQ(r->hex().mid(2, 2), QStringLiteral("EF"));
    r->setOption(QStringLiteral("+10"));
    EXPECT_EQ(r->hex().at(17), QLatin1Char('9'));
    r->setOption(QStringLiteral("+5 (No Opt)"));
    EXPECT_EQ(r->hex().at(17), QLatin1Char('6'));
    r->setOption(QStringLiteral("+10(No Opt)"));
    EXPECT_EQ(r->hex().at(17), QLatin1Char('A'));
    EXPECT_EQ(r->hex(), QStringLiteral("01EFFF00000065610A00"));
    // Characters no step writes stay "0".
    EXPECT_EQ(r->hex().at(16), QLatin1Char('0'));
    EXPECT_EQ(r->hex().mid(18), QStringLiteral("00"));
}

TEST_F(PropertyEditorTest, UniqueItemsAndExcellentKinds) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Armors"), QStringLiteral("Bronze Armor"));
    // Unique 8: 0x80 in byte 7 with no box checked.
    EXPECT_EQ(r->hex().mid(14, 2), QStringLiteral("80"));
    EXPECT_EQ(r->editor->UniqueText(), QStringLiteral("8"));
    for (const char* box :
         {"Visualexc1", "Visualexc2", "Visualexc3", "Visualexc4", "Visualexc5", "Visualexc6"})
        r->check(box);
    r->choose("VisualOption", QStringLiteral("+16"));
    EXPECT_EQ(r->hex().mid(14, 2), QStringLiteral("FF"));
    EXPECT_EQ(r->child<QCheckBox>(QStringLiteral("Visualexc5"))->text(),
              QStringLiteral("Increase Max Mana + 4%"));

    // Kind "any": boxes unchecked, disabled, captioned "Take NO Effect"; the bits go.
    r->chooseItem(QStringLiteral("Rings"), QStringLiteral("Ring of Frost"));
    for (const char* box : {"Visualexc1", "Visualexc6"}) {
        auto* check = r->child<QCheckBox>(QLatin1String(box));
        EXPECT_FALSE(check->isChecked());
        EXPECT_FALSE(check->isEnabled());
        EXPECT_EQ(check->text(), QStringLiteral("Take NO Effect"));
    }
    EXPECT_EQ(r->hex().mid(14, 2), QStringLiteral("C0")); // unique 8 + step 4
    r->chooseItem(QStringLiteral("Wings"), QStringLiteral("Fairy Wings"));
    EXPECT_TRUE(r->child<QCheckBox>(QStringLiteral("Visualexc1"))->isEnabled());
    EXPECT_EQ(r->child<QCheckBox>(QStringLiteral("Visualexc1"))->text(), QStringLiteral("Increase Max HP"));
}

TEST_F(PropertyEditorTest, WideRecordsCarryTheTypeNibble) {
    setVersion(1);
    auto r = rig();
    r->chooseItem(QStringLiteral("Gloves"), QStringLiteral("Bronze Gloves"));
    EXPECT_EQ(r->hex().size(), 32);
    EXPECT_EQ(r->hex().left(2), QStringLiteral("00"));
    EXPECT_EQ(r->hex().at(18), QLatin1Char('A'));
    EXPECT_EQ(r->hex().mid(14, 2), QStringLiteral("00")); // no unique bit in 16-byte records
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("00000065"));
    EXPECT_EQ(r->hex().mid(20), QString(12, QLatin1Char('0')));
}

TEST_F(PropertyEditorTest, ChangingTheTypeKeepsTheSet) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Gryphon Sword"));
    EXPECT_EQ(r->editor->SetNumber(), 5);
    EXPECT_EQ(r->editor->SetName(), QStringLiteral("Aurel"));
    r->choose("VisualType", QStringLiteral("Helms"));
    EXPECT_EQ(r->editor->SubTypeText(), QStringLiteral("Gryphon Helm"));
    EXPECT_EQ(r->hex().left(2), QStringLiteral("E5"));
    // No piece of the set among the rings: the first ring.
    r->choose("VisualType", QStringLiteral("Rings"));
    EXPECT_EQ(r->editor->SubTypeText(), QStringLiteral("Ring of Frost"));
    EXPECT_EQ(r->editor->SetNumber(), 0);
    EXPECT_EQ(r->editor->SetName(), QString());
}

TEST_F(PropertyEditorTest, SerialsAreDrawnOneACallAndTypedOnesChecked) {
    auto r = rig();
    EXPECT_EQ(itemCount(), 101);
    r->editor->GetAutoSerial();
    r->editor->GetAutoSerial();
    EXPECT_EQ(itemCount(), 103);
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("00000067"));
    EXPECT_EQ(r->child<QLineEdit>(QStringLiteral("VisualSerial"))->text(), QStringLiteral("00000067"));
    EXPECT_TRUE(r->child<QLineEdit>(QStringLiteral("VisualSerial"))->isReadOnly());

    // The statements: a command, then the counter.
    {
        StatementJournal::Recorder journal;
        r->editor->GetAutoSerial();
        ASSERT_EQ(journal.entries().size(), 2u);
        EXPECT_EQ(journal.entries()[0].text, QStringLiteral("EXECUTE QJ_GetItemSerial"));
        EXPECT_FALSE(journal.entries()[0].opened);
        EXPECT_EQ(journal.entries()[1].text, QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
        EXPECT_TRUE(journal.entries()[1].opened);
    }

    // F9 items get six digits and keep the marker.
    r->chooseItem(QStringLiteral("Jewels"), QStringLiteral("Jewel of Dawn"));
    r->editor->GetAutoSerial();
    EXPECT_EQ(r->child<QLineEdit>(QStringLiteral("VisualSerial"))->text(), QStringLiteral("000069"));
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("F9000069"));
}

TEST_F(PropertyEditorTest, ASerialThatDoesNotFitIsRefused) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Jewels"), QStringLiteral("Jewel of Dawn"));
    setItemCount(0xFFFFFF);
    const QString before = r->hex();
    EXPECT_THROW(r->editor->GetAutoSerial(), ConvertError);
    EXPECT_EQ(r->hex(), before);

    // Unchecking Auto Serial shows zeros; the record keeps its serial until
    // the next GetAutoSerial, which writes what is typed.
    BoxScript boxes;
    r->check("VisualAutoSerial");
    EXPECT_EQ(r->child<QLineEdit>(QStringLiteral("VisualSerial"))->text(), QStringLiteral("00000000"));
    EXPECT_FALSE(r->child<QLineEdit>(QStringLiteral("VisualSerial"))->isReadOnly());
    EXPECT_EQ(r->hex(), before);
    r->editor->GetAutoSerial();
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("F9000000"));
    r->child<QLineEdit>(QStringLiteral("VisualSerial"))->setText(QStringLiteral("abc123"));
    r->editor->GetAutoSerial();
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("F9ABC123"));
    r->child<QLineEdit>(QStringLiteral("VisualSerial"))->setText(QStringLiteral("12G4"));
    const QString typed = r->hex();
    EXPECT_THROW(r->editor->GetAutoSerial(), ConvertError);
    EXPECT_EQ(r->hex(), typed);
    EXPECT_EQ(r->hex().size(), 20);
    EXPECT_EQ(itemCount(), 0x1000000); // the refused draw took one; none while unchecked

    // Checking it again draws one at once.
    setItemCount(200);
    r->check("VisualAutoSerial");
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("F90000C9"));

    // Through the check box the refusal is shown and the record stays.
    r->check("VisualAutoSerial");
    setItemCount(0xFFFFFF);
    const QString drawn = r->hex();
    boxes.ok();
    r->check("VisualAutoSerial");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("does not fit in 6 hexadecimal digits")));
    EXPECT_EQ(r->hex(), drawn);
}

TEST_F(PropertyEditorTest, DurabilityIsCheckedAsTyped) {
    auto r = rig();
    auto* durability = r->child<QLineEdit>(QStringLiteral("VisualDurability"));
    BoxScript boxes;
    boxes.ok();
    durability->setText(QStringLiteral("300"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Values must be between 0 and 255"));
    EXPECT_EQ(durability->text(), QStringLiteral("0"));
    EXPECT_EQ(r->hex().mid(4, 2), QStringLiteral("00"));
    durability->setText(QStringLiteral("255"));
    EXPECT_EQ(r->hex().mid(4, 2), QStringLiteral("FF"));
    // Emptied while typing: no message, the record keeps its durability.
    durability->setText(QString());
    EXPECT_EQ(r->hex().mid(4, 2), QStringLiteral("FF"));
    boxes.ok();
    durability->setText(QStringLiteral("1x"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Durability must be a whole number between 0 and 255"));
    EXPECT_EQ(r->hex().mid(4, 2), QStringLiteral("FF"));
    EXPECT_EQ(r->hex().size(), 20);
}

TEST_F(PropertyEditorTest, ACatalogueThatChangedLeavesTheRecord) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Kukri"));
    const QString before = r->hex();
    TestEnvironment::execRaw(env.path(QStringLiteral("TanorEditor.mdb")),
                             QStringLiteral("DELETE FROM Item WHERE Name='Kukri' OR Type='Jewels'"));
    r->check("VisualSkill"); // rebuilds from the catalogue, which lost Kukri
    EXPECT_EQ(r->hex(), before);
    // A type with no rows left: an empty sub-type list, the record unchanged.
    r->choose("VisualType", QStringLiteral("Jewels"));
    EXPECT_EQ(r->child<QComboBox>(QStringLiteral("VisualSubType"))->count(), 0);
    EXPECT_EQ(r->hex(), before);
}

TEST_F(PropertyEditorTest, InformationTextLooksTheRecordUp) {
    auto inventory = rig(ContainerKind::Inventory);
    const QString helm = QStringLiteral("E0EF1E00000065610900");
    EXPECT_TRUE(
        inventory->editor->showitem(helm).startsWith(QStringLiteral("Name: Bronze Helm \n\rLevel: +13")));
    EXPECT_TRUE(inventory->editor->showitem(helm).contains(QStringLiteral("\n\rIncrease Max HP +4%\n\r")));
    const QString unknown = QStringLiteral("EEEF1E00000065610900");
    EXPECT_TRUE(
        inventory->editor->showitem(unknown).startsWith(QStringLiteral("Name: miss \n\rLevel: \n\r")));
    inventory.reset();
    auto warehouse = rig(ContainerKind::Warehouse);
    EXPECT_TRUE(
        warehouse->editor->showitem(unknown).startsWith(QStringLiteral("Name: Blanck Slot \n\rLevel: +13")));
    // No lookup for the empty record.
    StatementJournal::Recorder journal;
    EXPECT_TRUE(warehouse->editor->showitem(ItemRecord::EmptyRecord(ItemRecord::Width::Narrow))
                    .startsWith(QStringLiteral("Name:  \n\r")));
    EXPECT_TRUE(journal.entries().empty());
}
