#pragma once

#include "items/ItemRecord.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// The item table read once and kept by record key, for passes that look up
// every stored item: a look-up is an array index, not a statement. The first
// catalogue row of a key wins, as the catalogue's own look-ups take the first
// row they find.
class CatalogueIndex {
public:
    struct Entry {
        QString name;
        QString type;
        int x = 0;
        int y = 0;
    };

    CatalogueIndex();
    // Reads the catalogue file now (one statement).
    [[nodiscard]] static CatalogueIndex Load();
    // Rows given as the catalogue stores them (tests, tools).
    void add(const QString& name, const QString& type, const QString& id, const QString& unique,
             const QString& code32, const QString& id2, const QString& unique2, int x, int y);

    // The entry of a stored record of `w` bytes; nullptr when the catalogue
    // does not know it. `record` holds at least the record's bytes.
    [[nodiscard]] const Entry* Of(QByteArrayView record, ItemRecord::Width w) const;

    [[nodiscard]] const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    // Entry index + 1 by key (0: none). Narrow key: item byte, unique bit,
    // Code32 byte; wide key: item byte and type nibble.
    std::vector<int> m_narrow;
    std::vector<int> m_wide;
};
