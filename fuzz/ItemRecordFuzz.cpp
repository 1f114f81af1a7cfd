// The item record codec on any stored bytes: decoding and re-encoding a
// record gives it back, every rewrite keeps the record's length, the
// conversion to the wide record always yields a wide record, and a typed
// serial is either taken in the right number of digits or refused.
#include "FuzzCheck.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemRecord.h"
#include "platform/TanorError.h"

using namespace ItemRecord;

namespace {

bool isUpperHex(const QString& text) {
    for (const QChar c : text)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    return true;
}

void checkRecord(const QString& record, Width w, const QString& typed) {
    const Fields f = Decode(record);
    QString again = WithOptionByte(record, f.skill, f.level, f.luck, f.optionStep);
    again = WithDurability(again, f.durability);
    again = WithExcellentByte(again, f.uniqueBit ? 8 : 0, f.optionStep, f.excellentBits);
    FUZZ_CHECK(again == record);

    const Identity id = IdentityOf(record, w);
    FUZZ_CHECK(id.id.size() == 2);
    FUZZ_CHECK(w == Width::Narrow ? (id.unique == QLatin1String("0") || id.unique == QLatin1String("8"))
                                  : id.unique.toInt() >= 0 && id.unique.toInt() <= 15);
    (void)IsExcellent(record, w);
    (void)IsSetItem(record);

    for (int index = -1; index <= 5; ++index)
        FUZZ_CHECK(WithAncient(record, index).size() == record.size());
    FUZZ_CHECK(WithTypeNibble(record, f.level).size() == record.size());

    const bool marker = HasSerialMarker(record);
    try {
        const QString digits = TypedSerialDigits(typed, marker);
        FUZZ_CHECK(digits.size() == (marker ? 6 : 8) && isUpperHex(digits));
        const QString serialised = WithSerial(record, digits);
        FUZZ_CHECK(serialised.size() == record.size());
        FUZZ_CHECK(HasSerialMarker(serialised) == marker);
    } catch (const ConvertError&) {
    }

    if (w == Width::Narrow) {
        const QString wide = Convert2032(record);
        FUZZ_CHECK(wide.size() == Length(Width::Wide) && isUpperHex(wide));
        FUZZ_CHECK(IsEmpty(wide, Width::Wide) == IsEmpty(record, Width::Narrow));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte picks the width; the record's bytes follow; what is
    // left is typed into the serial box.
    const Width w = data[0] & 1 ? Width::Wide : Width::Narrow;
    const std::size_t bytes = std::size_t(Bytes(w));
    if (size < 1 + bytes)
        return 0;
    const QString record = BytesToHex(Fuzz::Bytes(data + 1, bytes));
    FUZZ_CHECK(record.size() == Length(w));
    checkRecord(record, w, Fuzz::Text(data + 1 + bytes, size - 1 - bytes));

    // A whole column of such records, cut and joined again.
    const QString column = BytesToHex(Fuzz::Bytes(data + 1, size - 1));
    const QStringList records = SplitColumn(column, kInventoryRecords, w);
    FUZZ_CHECK(records.size() == kInventoryRecords);
    const QString literal = ColumnLiteral(records, w);
    FUZZ_CHECK(literal.size() == 2 + kInventoryRecords * Length(w));
    return 0;
}
