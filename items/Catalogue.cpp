#include "items/Catalogue.h"

#include "core/UtilitiesUnit.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

namespace Catalogue {

namespace {

using ItemRecord::Width;

// Runs a row-returning statement on the catalogue; stands on the first row.
class Lookup {
public:
    explicit Lookup(const QString& sql) {
        m_query.SetConnectionString(CatalogueConnectionString());
        m_query.SetText(sql);
        m_query.Open();
    }
    [[nodiscard]] bool found() const { return !m_query.IsEmpty(); }
    [[nodiscard]] QString text(const char* column) const {
        return m_query.FieldByName(QString::fromLatin1(column)).AsString();
    }
    [[nodiscard]] int number(const char* column) const {
        return m_query.FieldByName(QString::fromLatin1(column)).AsInteger();
    }
    // The first column of every row.
    [[nodiscard]] QStringList column() {
        QStringList out;
        for (; !m_query.Eof(); m_query.Next())
            out.append(m_query.Fields(0).AsString());
        return out;
    }
    // Every row through `read`, which reads the current row.
    template <typename Read> [[nodiscard]] auto rows(Read read) {
        std::vector<decltype(read())> out;
        for (; !m_query.Eof(); m_query.Next())
            out.push_back(read());
        return out;
    }

private:
    Query m_query;
};

QStringList listOf(const QString& sql) {
    return Lookup(sql).column();
}

QString firstText(const QString& sql) {
    Lookup q(sql);
    return q.found() ? q.text("Name") : QString();
}

Placement placementOf(const QString& sql) {
    Lookup q(sql);
    Placement p;
    if (q.found()) {
        p.name = q.text("Name");
        p.x = q.number("x");
        p.y = q.number("y");
    }
    return p;
}

QString wideKeyWhere(const QString& record) {
    return QStringLiteral("(id2= ") + Q(record.mid(0, 2)) + QStringLiteral(" ) AND (unique2= ") +
           ItemRecord::Unique2Key(record) + QStringLiteral(" )");
}

QString narrowKeyHead(const QString& record) {
    return QStringLiteral("(id= ") + Q(record.mid(0, 2)) + QStringLiteral(" ) AND (unique= ") +
           ItemRecord::UniqueKey(record);
}

QString code32Of(const QString& record) {
    return Q(record.mid(6, 2));
}

QString setNumberWhere(int setNumber) {
    return QStringLiteral("(SetNumber=") + QString::number(setNumber);
}

SetPiece setPieceOf(const QString& sql, bool withType) {
    Lookup q(sql);
    SetPiece p;
    if (q.found()) {
        p.name = q.text("Name");
        if (withType)
            p.type = q.text("Type");
    }
    return p;
}

// A key outside its range would write another item type into the record:
// Unique is the unique bit (0 or 8), Unique2 the type nibble (0 to 15).
void checkKey(const QString& name, const char* column, const QString& value) {
    bool number = false;
    const int v = value.trimmed().toInt(&number);
    const bool narrow = qstrcmp(column, "Unique") == 0;
    const bool fits = number && (narrow ? (v == 0 || v == 8) : (v >= 0 && v <= 15));
    if (!fits)
        throw DbError(QStringLiteral("The catalogue row of \"%1\" is invalid: %2 is \"%3\" (%4 expected)")
                          .arg(name, QString::fromLatin1(column), value,
                               narrow ? QStringLiteral("0 or 8") : QStringLiteral("0 to 15")));
}

} // namespace

QStringList Types() {
    return listOf(QStringLiteral("SELECT DISTINCT Type FROM Item"));
}

QStringList SubTypes(const QString& type) {
    return listOf(QStringLiteral("SELECT Name FROM Item WHERE Type =") + Q(type));
}

CatalogueItem Chosen(const QString& name, Width w) {
    const bool narrow = w == Width::Narrow;
    Lookup q(
        (narrow
             ? QStringLiteral(
                   "SELECT ID, Unique, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name=")
             : QStringLiteral(
                   "SELECT ID2, Unique2, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name=")) +
        Q(name));
    CatalogueItem item;
    if (!q.found())
        return item;
    item.found = true;
    checkKey(name, narrow ? "Unique" : "Unique2", q.text(narrow ? "Unique" : "Unique2"));
    item.id = q.text(narrow ? "ID" : "ID2");
    item.unique = q.number(narrow ? "Unique" : "Unique2");
    item.code32 = q.text("Code32");
    item.setNumber = q.number("SetNumber");
    item.setItem = q.text("SetItem");
    item.excKind = q.text("ExcOptionType");
    return item;
}

QString SameSetInType(int setNumber, const QString& type) {
    Lookup q(QStringLiteral("SELECT Name, SetNumber FROM Item WHERE ") + setNumberWhere(setNumber) +
             QStringLiteral(") AND (Type=") + Q(type) + QStringLiteral(")"));
    return q.found() && q.number("SetNumber") != 0 ? q.text("Name") : QString();
}

Placement StoredRecord(const QString& record, Width w) {
    if (w == Width::Wide)
        return placementOf(QStringLiteral("SELECT Name,x,y FROM Item WHERE ") + wideKeyWhere(record));
    return placementOf(QStringLiteral("SELECT Name,x,y FROM Item WHERE ") + narrowKeyHead(record) +
                       QStringLiteral(" )") + QStringLiteral("AND (Code32=") + code32Of(record) +
                       QStringLiteral(")"));
}

Placement PlacedOnGrid(const QString& record, Width w) {
    if (w == Width::Wide)
        return StoredRecord(record, w);
    return placementOf(QStringLiteral("SELECT Name,x,y FROM Item WHERE ") + narrowKeyHead(record) +
                       QStringLiteral(" ) ") + QStringLiteral(" AND (Code32=") + code32Of(record) +
                       QStringLiteral(")"));
}

QString PlacedInSlot(const QString& record, Width w) {
    if (w == Width::Wide)
        return firstText(QStringLiteral("SELECT Name,WearTo FROM Item WHERE ") + wideKeyWhere(record));
    return firstText(QStringLiteral("SELECT Name,WearTo FROM Item WHERE ") + narrowKeyHead(record) +
                     QStringLiteral(" )AND (Code32=") + code32Of(record) + QStringLiteral(")"));
}

ItemInfo::CatalogueRow InfoLookup(const QString& record, Width w) {
    // The record's key stands between the statement's own quotes.
    const QString sql =
        w == Width::Wide
            ? QStringLiteral("select name,x,y,ExcOptionType from item where (id2='") + record.mid(0, 2) +
                  QStringLiteral("') and (unique2=") + ItemRecord::Unique2Key(record) + QStringLiteral(")")
            : QStringLiteral("select name,x,y,ExcOptionType from item where (id='") + record.mid(0, 2) +
                  QStringLiteral("') and (unique=") + ItemRecord::UniqueKey(record) +
                  QStringLiteral(")and (Code32=") + code32Of(record) + QStringLiteral(")");
    Lookup q(sql);
    ItemInfo::CatalogueRow row;
    if (q.found()) {
        row.found = true;
        row.name = q.text("name");
        row.excKind = q.text("ExcOptionType");
    }
    return row;
}

QString WearTo(const QString& name) {
    Lookup q(QStringLiteral("SELECT wearto FROM Item WHERE Name=") + Q(name));
    return q.found() ? q.text("wearto") : QString();
}

SetPiece WeaponSetPiece(int setNumber) {
    return setPieceOf(QStringLiteral("SELECT Name, Type FROM Item WHERE ") + setNumberWhere(setNumber) +
                          QStringLiteral(") AND ((wearto='OR') OR (wearto='OB') OR (wearto='TR'))"),
                      true);
}

SetPiece ShieldSetPiece(int setNumber) {
    return setPieceOf(QStringLiteral("SELECT Name, Type FROM Item WHERE ") + setNumberWhere(setNumber) +
                          QStringLiteral(") AND ((wearto='OL') OR (wearto='OB'))"),
                      true);
}

SetPiece SlotSetPiece(int setNumber, const QString& wearCode) {
    return setPieceOf(QStringLiteral("SELECT Name FROM Item WHERE ") + setNumberWhere(setNumber) +
                          QStringLiteral(") AND (wearto=") + Q(wearCode) + QStringLiteral(")"),
                      false);
}

QStringList AllItemNames() {
    return listOf(QStringLiteral("SELECT Name FROM Item ORDER By NAME"));
}

WipeKey WipeItem(const QString& name) {
    Lookup q(QStringLiteral("SELECT ID, ID2,Unique, Unique2, Code32, ExcOptionType FROM Item WHERE Name=") +
             Q(name));
    WipeKey key;
    if (!q.found())
        return key;
    key.found = true;
    // Unique2 is checked by the walk when a wide record meets it.
    checkKey(name, "Unique", q.text("Unique"));
    key.id = q.text("ID");
    key.id2 = q.text("ID2");
    key.unique = q.number("Unique");
    key.unique2 = q.text("Unique2");
    key.code32 = q.text("Code32");
    key.excKind = q.text("ExcOptionType");
    return key;
}

std::vector<KeyRow> AllItemKeys() {
    Lookup q(QStringLiteral("SELECT Name, Type, ID, Unique, Code32, ID2, Unique2, x, y FROM Item"));
    return q.rows([&] {
        KeyRow row;
        row.name = q.text("Name");
        row.type = q.text("Type");
        row.id = q.text("ID");
        row.unique = q.text("Unique");
        row.code32 = q.text("Code32");
        row.id2 = q.text("ID2");
        row.unique2 = q.text("Unique2");
        row.x = q.number("x");
        row.y = q.number("y");
        return row;
    });
}

QStringList SkillClasses() {
    return listOf(QStringLiteral("SELECT  DISTINCT Class FROM Skill"));
}

QStringList SkillNames() {
    // With one trailing blank: the text the skill editor sends for "All Skills".
    return listOf(QStringLiteral("SELECT Name FROM Skill "));
}

QStringList SkillNames(const QString& skillClass) {
    return listOf(QStringLiteral("SELECT Name FROM Skill") + QStringLiteral(" WHERE Class=") + Q(skillClass));
}

QString SkillName(const QString& skillNumber) {
    return firstText(QStringLiteral("SELECT Name FROM Skill WHERE ID=") + Q(skillNumber));
}

QString SkillNumber(const QString& name) {
    Lookup q(QStringLiteral("SELECT ID FROM Skill WHERE Name=") + Q(name));
    return q.found() ? q.text("ID") : QString();
}

} // namespace Catalogue
