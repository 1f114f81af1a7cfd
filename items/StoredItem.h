#pragma once

#include "items/ItemRecord.h"

#include <QByteArrayView>
#include <QString>

// One stored record decoded straight from its bytes, for passes over every
// container of the server: no text is built unless asked for. The fields
// read back as the record text's own decoding does (ItemRecord::Decode).
struct StoredItem {
    int level = 0;
    bool skill = false;
    bool luck = false;
    int optionStep = 0;
    int durability = 0;
    int excellentBits = 0;
    int ancient = 0; // the ancient nibble, 0 for none
    // The serial as a number: bytes 3-6, or bytes 4-6 behind the F9 marker.
    quint32 serial = 0;
    bool marker = false; // F9: the serial is 6 digits

    [[nodiscard]] static StoredItem Decode(QByteArrayView record);
    // The serial alone, for passes that look at nothing else.
    [[nodiscard]] static quint32 SerialOf(QByteArrayView record, bool& marker);
    [[nodiscard]] static bool IsRealSerial(quint32 serial, bool marker);
    // Whether `record` (its bytes) is a free position: all bytes FF. Most
    // positions of a full server hold items, so the first byte decides for
    // them; inline, since a pass asks it of every position.
    [[nodiscard]] static bool IsFree(QByteArrayView record) {
        if (record.size() > 16 || (!record.isEmpty() && quint8(record[0]) != 0xFF))
            return false;
        for (const char b : record)
            if (quint8(b) != 0xFF)
                return false;
        return true;
    }

    // The serial as stored: 8 digits, or 6 behind the marker.
    [[nodiscard]] QString SerialText() const;
    // A set (ancient) option is on: the nibble is 5, 6, 9 or A.
    [[nodiscard]] bool IsAncient() const;
    // Serials that mark no real item: all zeros (what a placement writes
    // with "Auto Serial" off) and all "F", in 8 digits or in 6 behind F9.
    [[nodiscard]] bool HasRealSerial() const;
};
