#include "containers/WipeMatch.h"

#include "containers/WalkStatements.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemRecord.h"
#include "platform/TanorError.h"

#include <algorithm>

namespace {

// Character positions (from 0) of the fields the matchers read.
constexpr qsizetype kItemByte = 0;   // characters 1-2
constexpr qsizetype kCode32 = 6;     // characters 7-8 (narrow records)
constexpr qsizetype kExcellent = 14; // characters 15-16
constexpr qsizetype kAncient = 17;   // character 18
constexpr qsizetype kTypeDigit = 18; // character 19 (wide records)

// The value of one digit as HexToInt reads it: only "0"-"9" and "A"-"F" count.
int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 0;
}

bool isLowHalf(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('7');
}

const QString kF9 = QStringLiteral("F9");
const QString k00 = QStringLiteral("00");

} // namespace

QString Hex2(int v) {
    return QString::number(uint(v), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

// ---------------------------------------------------------------- GWipe

GWipe::GWipe(int recordBytes, int type)
    : m_wide(ItemRecord::WidthForBytes(recordBytes) == ItemRecord::Width::Wide), m_type(type) {}

bool GWipe::operator()(QStringView record) const {
    if (m_type < 0 || m_type > 15 || record.size() <= kTypeDigit)
        return false;
    if (m_wide)
        return record[kTypeDigit] == QLatin1Char("0123456789ABCDEF"[m_type]);
    const int id = digitValue(record[kItemByte]) * 16 + digitValue(record[kItemByte + 1]);
    const bool high = !isLowHalf(record[kExcellent]);
    return id / 32 == m_type % 8 && high == (m_type >= 8);
}

// ---------------------------------------------------------------- SWipe

SWipe::SWipe(int recordBytes, bool anyItem, ChosenItem item, int excellent, QChar ancient)
    : m_wide(ItemRecord::WidthForBytes(recordBytes) == ItemRecord::Width::Wide), m_anyItem(anyItem),
      m_item(std::move(item)), m_ancient(ancient) {
    // "Any item" ignores both top bits; a chosen narrow item fixes the unique
    // bit through its key, so only option +16 (64) is free.
    const int base = anyItem || m_wide ? excellent : excellent + 16 * m_item.Unique;
    const int variants = anyItem ? 4 : 2;
    for (int i = 0; i < variants; ++i)
        m_excellentFields << Hex2(base + 64 * i);
}

bool SWipe::excellentMatches(QStringView record) const {
    const QStringView field = record.mid(kExcellent, 2);
    return std::any_of(m_excellentFields.cbegin(), m_excellentFields.cend(),
                       [field](const QString& f) { return field == f; });
}

const QString& SWipe::typeDigits() const {
    if (!m_typeDigits) {
        int value = 0;
        if (!ParseSettingInt(m_item.Unique2.trimmed(), &value))
            throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(m_item.Unique2));
        m_typeDigits = QString::number(uint(value), 16).toUpper();
    }
    return *m_typeDigits;
}

bool SWipe::operator()(QStringView record) const {
    if (record.size() <= kTypeDigit)
        return false;
    if (m_anyItem)
        return record[kAncient] == m_ancient && excellentMatches(record);
    if (m_wide) {
        return record.mid(kItemByte, 2) == m_item.ID2 && record.mid(kTypeDigit, 1) == typeDigits() &&
               record[kAncient] == m_ancient && excellentMatches(record);
    }
    const int unique = isLowHalf(record[kExcellent]) ? 0 : 8;
    const QString& code32 = record.mid(kCode32, 2) == kF9 ? kF9 : k00;
    return record.mid(kItemByte, 2) == m_item.ID && record[kAncient] == m_ancient &&
           unique == m_item.Unique && code32 == m_item.Code32 && excellentMatches(record);
}

// ---------------------------------------------------------------- rows

RowRewrite RewriteRow(const QByteArray& column, int recordBytes, int recordsPerRow,
                      const RecordMatch& match) {
    RowRewrite result;
    const int otherBytes = recordBytes == 10 ? 16 : 10;
    if (column.size() == qsizetype(recordsPerRow) * otherBytes) {
        result.wrongWidth = true;
        return result;
    }
    if (column.size() % recordBytes != 0) {
        result.malformed = true;
        return result;
    }
    QString text = BytesToHex(column);
    const ItemRecord::Width width = ItemRecord::WidthForBytes(recordBytes);
    const qsizetype length = ItemRecord::Length(width);
    const qsizetype records = std::min<qsizetype>(column.size() / recordBytes, recordsPerRow);
    const QString empty = ItemRecord::EmptyRecord(width);
    QChar* data = text.data();
    for (qsizetype k = 0; k < records; ++k) {
        const QStringView record(data + k * length, length);
        if (record == empty || !match(record))
            continue;
        std::fill(data + k * length, data + (k + 1) * length, QLatin1Char('F'));
        ++result.erased;
    }
    if (result.erased > 0) {
        result.changed = true;
        result.literal = ItemRecord::LiteralOf(text);
    }
    return result;
}

std::vector<ContainerWalk::Source> WipeSources(const VaultSettings& vaults) {
    using ContainerWalk::Row;
    std::vector<ContainerWalk::Source> sources;
    sources.push_back(ContainerWalk::InventorySource(WalkStatements::InventoryRows(), 1, 2));
    sources.push_back(ContainerWalk::WarehouseSource());
    if (vaults.enabled) {
        sources.push_back(ContainerWalk::VaultSource(
            vaults, WalkStatements::VaultRows(vaults), [vaults](const Row& row, const QString& literal) {
                return WalkStatements::VaultRewrite(vaults, row.account, row.second, literal);
            }));
    }
    return sources;
}

ContainerWalk::Rewrite WipeRow(const ContainerWalk::Row& row, int recordBytes, const RecordMatch& match) {
    using Action = ContainerWalk::Rewrite::Action;
    const RowRewrite r = RewriteRow(row.column, recordBytes, ContainerWalk::RecordsOf(row.kind), match);
    ContainerWalk::Rewrite out;
    if (r.wrongWidth)
        out.action = Action::WrongWidth;
    else if (r.malformed)
        out.action = Action::Malformed;
    else if (r.changed) {
        out.action = Action::Write;
        out.columnText = r.literal.mid(2);
        out.count = r.erased;
    }
    return out;
}

void WipeAll(ContainerWalk::Walker& walker, const MatchMaker& makeMatch,
             const std::function<void()>& afterKind) {
    const VaultSettings vaults = VaultSettings::Read();
    vaults.RequirePlainNames();
    const int recordBytes = ItemRecord::Bytes(ItemRecord::CurrentWidth());
    const RecordMatch match = makeMatch(recordBytes);
    for (const ContainerWalk::Source& source : WipeSources(vaults)) {
        walker.Walk(source, [&](const ContainerWalk::Row& row) { return WipeRow(row, recordBytes, match); });
        if (afterKind)
            afterKind();
    }
}
