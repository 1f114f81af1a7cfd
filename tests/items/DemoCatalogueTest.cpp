#include "ItemRig.h"

#include "items/Catalogue.h"

// Every item of the delivered catalogue, built in the property editor, is
// found again by the identity lookup of a stored record: the keys are
// unique and agree with the record layout in both widths.
TEST(DemoCatalogueTest, EveryItemBuildsARecordThatIsFoundAgain) {
    for (int version : {0, 1}) {
        TestEnvironment env;
        env.buildDemo();
        WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), version);
        ItemRig r(ContainerKind::Warehouse);
        r.open();
        auto* types = r.child<QComboBox>(QStringLiteral("VisualType"));
        auto* subTypes = r.child<QComboBox>(QStringLiteral("VisualSubType"));
        int items = 0;
        for (int t = 0; t < types->count(); ++t) {
            r.choose("VisualType", types->itemText(t));
            for (int s = 0; s < subTypes->count(); ++s) {
                const QString name = subTypes->itemText(s);
                r.choose("VisualSubType", name);
                const QString record = r.hex();
                ASSERT_EQ(record.size(), version == 0 ? 20 : 32) << name.toStdString();
                EXPECT_EQ(Catalogue::StoredRecord(record, r.editor->Width()).name, name)
                    << record.toStdString();
                ++items;
            }
        }
        EXPECT_GT(items, 300);
    }
}
