// Any stored column, of any length, loads into a container and is written
// back as a literal of whole records plus what stood past the last one: a
// column of the container's own length or longer comes back unchanged.
#include "FuzzCheck.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto w : {ItemRecord::Width::Narrow, ItemRecord::Width::Wide}) {
        for (const int count : {ItemRecord::kInventoryRecords, ItemRecord::kWarehouseRecords}) {
            ItemContainer container(count, w);
            const QString column = BytesToHex(Fuzz::Bytes(data, size));
            container.Load(column);
            FUZZ_CHECK(container.Count() == count);
            const QString literal = container.Literal();
            const qsizetype full = qsizetype(count) * ItemRecord::Length(w);
            FUZZ_CHECK(literal.size() == 2 + full + container.Surplus().size());
            if (column.size() >= full)
                FUZZ_CHECK(literal == QStringLiteral("0x") + column);
            for (int cell = 1; cell <= count; ++cell)
                FUZZ_CHECK(container.Record(cell).size() == ItemRecord::Length(w));
        }
    }
    return 0;
}
