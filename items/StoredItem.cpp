#include "items/StoredItem.h"

#include <cstring>

namespace {

constexpr quint8 kMarker = 0xF9;

int byteAt(QByteArrayView r, int n) {
    return int(quint8(r[n]));
}

} // namespace

StoredItem StoredItem::Decode(QByteArrayView r) {
    StoredItem s;
    const int option = byteAt(r, 1);
    const int excellent = byteAt(r, 7);
    s.skill = (option & 0x80) != 0;
    s.level = (option >> 3) & 0x0F;
    s.luck = (option & 0x04) != 0;
    s.optionStep = (option & 0x03) + ((excellent & 0x40) != 0 ? 4 : 0);
    s.durability = byteAt(r, 2);
    s.excellentBits = excellent & 0x3F;
    s.ancient = byteAt(r, 8) & 0x0F;
    s.serial = SerialOf(r, s.marker);
    return s;
}

quint32 StoredItem::SerialOf(QByteArrayView r, bool& marker) {
    marker = byteAt(r, 3) == kMarker;
    quint32 serial = (quint32(byteAt(r, 4)) << 16) | (quint32(byteAt(r, 5)) << 8) | quint32(byteAt(r, 6));
    if (!marker)
        serial |= quint32(byteAt(r, 3)) << 24;
    return serial;
}

bool StoredItem::IsRealSerial(quint32 serial, bool marker) {
    return serial != 0 && serial != (marker ? 0xFFFFFFu : 0xFFFFFFFFu);
}

QString StoredItem::SerialText() const {
    const int digits = marker ? 6 : 8;
    return QStringLiteral("%1").arg(serial, digits, 16, QLatin1Char('0')).toUpper();
}

bool StoredItem::IsAncient() const {
    return ancient == 0x5 || ancient == 0x6 || ancient == 0x9 || ancient == 0xA;
}

bool StoredItem::HasRealSerial() const {
    return IsRealSerial(serial, marker);
}
