#include "items/ItemStatements.h"

namespace ItemStatements {

QString DrawItemSerial() {
    return QStringLiteral("EXECUTE QJ_GetItemSerial");
}

QString LastItemSerial() {
    return QStringLiteral("SELECT ItemCount FROM GameServerInfo");
}

} // namespace ItemStatements
