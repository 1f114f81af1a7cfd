#pragma once

#include "items/ItemInfo.h"
#include "items/ItemRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

// The item and skill catalogue (TanorEditor.mdb beside the executable). One
// function per statement; each builds the connection string afresh and runs
// its own query, so a catalogue edited meanwhile is seen at once. Only the
// first row counts unless a function says otherwise; no row reads as empty
// texts and zeros.
namespace Catalogue {

// ---- lists

// "SELECT DISTINCT Type FROM Item", every row in the order returned.
[[nodiscard]] QStringList Types();
// Names of one type, in the order returned.
[[nodiscard]] QStringList SubTypes(const QString& type);

// ---- the item chosen in the property editor

struct CatalogueItem {
    bool found = false;
    QString id;     // ID (10-byte) or ID2 (16-byte)
    int unique = 0; // Unique (0/8) or Unique2 (0–15)
    QString code32;
    int setNumber = 0;
    QString setItem; // as stored ("any" for none)
    QString excKind; // ExcOptionType
};
[[nodiscard]] CatalogueItem Chosen(const QString& name, ItemRecord::Width w);

// The piece of set `setNumber` in `type`; empty when SetNumber of the first
// row is 0 or there is no row.
[[nodiscard]] QString SameSetInType(int setNumber, const QString& type);

// ---- identity lookups of records on cells

struct Placement {
    QString name; // empty: not in the catalogue
    int x = 0;
    int y = 0;
};
// A stored record shown on a cell when a column is loaded.
[[nodiscard]] Placement StoredRecord(const QString& record, ItemRecord::Width w);
// A record placed on a grid cell.
[[nodiscard]] Placement PlacedOnGrid(const QString& record, ItemRecord::Width w);
// A record placed in an equipment slot: its name.
[[nodiscard]] QString PlacedInSlot(const QString& record, ItemRecord::Width w);

// The lookup of the information text.
[[nodiscard]] ItemInfo::CatalogueRow InfoLookup(const QString& record, ItemRecord::Width w);

// ---- equipment slots

[[nodiscard]] QString WearTo(const QString& name);

struct SetPiece {
    QString name;
    QString type;
};
[[nodiscard]] SetPiece WeaponSetPiece(int setNumber);
[[nodiscard]] SetPiece ShieldSetPiece(int setNumber);
// Any other slot, by its wear code (the type is not read).
[[nodiscard]] SetPiece SlotSetPiece(int setNumber, const QString& wearCode);

// ---- the item wipe

// Every item name, sorted by the catalogue.
[[nodiscard]] QStringList AllItemNames();
struct WipeKey {
    bool found = false;
    QString id;
    QString id2;
    int unique = 0;
    // As stored: the wipe reads it as a number only when a record of the
    // item's ID2 is met, so a broken row stops the walk there and not before.
    QString unique2;
    QString code32;
    QString excKind;
};
[[nodiscard]] WipeKey WipeItem(const QString& name);

// ---- the whole item table at once (searches over every stored item)

// One row with every key of both widths, as stored.
struct KeyRow {
    QString name;
    QString type;
    QString id;
    QString unique;
    QString code32;
    QString id2;
    QString unique2;
    int x = 0;
    int y = 0;
};
[[nodiscard]] std::vector<KeyRow> AllItemKeys();

// ---- skills

[[nodiscard]] QStringList SkillClasses();
// Every skill name, or those of one class when `skillClass` is given.
[[nodiscard]] QStringList SkillNames();
[[nodiscard]] QStringList SkillNames(const QString& skillClass);
[[nodiscard]] QString SkillName(const QString& skillNumber);
[[nodiscard]] QString SkillNumber(const QString& name);

} // namespace Catalogue
