#include "items/ItemSerials.h"

#include "core/QueryHelpers.h"
#include "items/ItemRecord.h"
#include "items/ItemStatements.h"

namespace ItemSerials {

QString Draw(bool marker) {
    ExecOn(DataSource::TanorOnline, ItemStatements::DrawItemSerial());
    Query last = OpenOn(DataSource::TanorOnline, ItemStatements::LastItemSerial());
    return ItemRecord::DrawnSerialText(last.Fields(0).AsLargeInt(), marker);
}

} // namespace ItemSerials
