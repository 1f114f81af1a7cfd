#pragma once

#include "containers/WipeMatch.h"
#include "items/Catalogue.h"

#include <QChar>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// What a wipe erases, chosen as in the wipe window but as values: a general
// selection (one item type) or a specific one (a catalogue item, or any item,
// with exactly the given excellent options and ancient option). Several
// choices erase every record any of them takes.
namespace WipeChoice {

// The catalogue name that stands for every item in a specific selection.
[[nodiscard]] QString AnyItem();

// The five ancient options in the window's order: its caption, the name a
// command line gives, and the character the records carry.
struct Ancient {
    const char* caption;
    const char* name;
    char16_t character;
};
[[nodiscard]] const std::array<Ancient, 5>& Ancients();

// The catalogue values of a looked-up item as the specific selection needs
// them.
[[nodiscard]] ChosenItem ChosenOf(const Catalogue::WipeKey& key);

struct Choice {
    std::optional<int> type; // set: general selection of this type (0-15)
    QString item;            // otherwise: the catalogue name, or AnyItem()
    int excellent = 0;       // sum of 1 << (n - 1) over the options n = 1..6
    QChar ancient = u'0';    // the ancient character the records must carry
};

// "1,3,6" (options 1 to 6, each at most once; empty: none) as a weight sum.
// Throws ConvertError naming the bad entry.
[[nodiscard]] int ExcellentOf(const QString& list);
// "none", "+5", "+10", "+5-noopt", "+10-noopt" as the record's character.
// Throws ConvertError.
[[nodiscard]] QChar AncientOf(const QString& name);
// A general selection; throws ConvertError unless `text` is a type 0-15.
[[nodiscard]] Choice General(const QString& text);

// The matcher of all the choices. Catalogue rows are looked up now, so an
// unknown item name throws ConvertError before anything is walked.
[[nodiscard]] MatchMaker MatchOf(const std::vector<Choice>& choices);

} // namespace WipeChoice
