// The codecs of the binary columns the account and guild windows read:
// guild marks, skill lists, quest state and letters. Any stored bytes decode
// without failing, and what the windows write back is always a whole column
// of the right length that decodes to what was shown.
#include "FuzzCheck.h"

#include "accounts/CharacterCodes.h"
#include "accounts/LetterText.h"
#include "accounts/MagicList.h"
#include "core/UtilitiesUnit.h"
#include "guilds/GuildMark.h"

#include <stdexcept>

namespace {

void guildMark(const QByteArray& stored) {
    const GuildMark::Cells cells = GuildMark::FromBytes(stored);
    for (const quint8 c : cells)
        FUZZ_CHECK(c < GuildMark::kColours);
    const QString literal = GuildMark::ToLiteral(cells);
    FUZZ_CHECK(literal.size() == 2 + GuildMark::kCells);
    // Written and read again, the mark is the same mark.
    FUZZ_CHECK(GuildMark::FromBytes(HexToBytes(literal.mid(2))) == cells);
    if (stored.size() >= GuildMark::kCells / 2)
        FUZZ_CHECK(literal.mid(2) == BytesToHex(stored.left(GuildMark::kCells / 2)));
}

void skillList(const QByteArray& stored) {
    const QStringList numbers = MagicList::SkillNumbers(BytesToHex(stored));
    FUZZ_CHECK(numbers.size() == MagicList::kRecords);
    for (const QString& n : numbers)
        FUZZ_CHECK(MagicList::IsSkillNumber(n));
    const QString literal = MagicList::Literal(numbers);
    FUZZ_CHECK(literal.size() == 2 + 2 * MagicList::kBytes);
    FUZZ_CHECK(MagicList::SkillNumbers(literal.mid(2)) == numbers);
    try {
        (void)MagicList::Literal(numbers + QStringList{QStringLiteral("01")});
        FUZZ_CHECK(false); // a 44th skill never makes a column
    } catch (const std::length_error&) {
    }
}

void questState(const QByteArray& stored) {
    const QString prefix = CharacterCodes::QuestPrefix(stored);
    FUZZ_CHECK(prefix.size() == 4);
    const QString literal = CharacterCodes::QuestLiteral(prefix);
    FUZZ_CHECK(literal.size() == 2 + 100);
    FUZZ_CHECK(CharacterCodes::QuestPrefix(HexToBytes(literal.mid(2))) == prefix);
    const int index = CharacterCodes::QuestIndex(prefix);
    FUZZ_CHECK(index >= -1 && index < int(CharacterCodes::Quests().size()));
}

void letter(const QByteArray& stored) {
    for (const QString& codePage :
         {QString(), QStringLiteral("Windows-1251"), QStringLiteral("no such set")}) {
        const LetterText::Letter l = LetterText::Decode(stored, codePage);
        FUZZ_CHECK(!l.text.contains(QChar(0)));
        FUZZ_CHECK(l.type.has_value() == (stored.size() >= 2));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray stored = Fuzz::Bytes(data, size);
    guildMark(stored);
    skillList(stored);
    questState(stored);
    letter(stored);
    return 0;
}
