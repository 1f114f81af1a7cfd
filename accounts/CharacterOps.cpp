#include "accounts/CharacterOps.h"

#include "accounts/CharacterStatements.h"
#include "accounts/FriendStatements.h"
#include "core/QueryHelpers.h"
#include "platform/TanorError.h"

#include <cmath>

using namespace CharacterStatements;

namespace CharacterOps {

namespace {

QString nothingRenamed() {
    return QStringLiteral("; nothing was renamed.");
}

// Is `newName` held by a row other than the one of `oldName`? The lookups
// answer the row's key first; the server compares names without regard to
// case, so another case of the character's own name finds its own row.
bool heldByAnother(const QString& byNewName, const QString& byOldName) {
    Query held = OpenOn(DataSource::TanorOnline, byNewName);
    if (held.IsEmpty())
        return false;
    const QString key = held.Fields(0).AsString();
    held.Close();
    Query own = OpenOn(DataSource::TanorOnline, byOldName);
    return own.IsEmpty() || own.Fields(0).AsString() != key;
}

// The account's slot (1 to 5) holding the name, 0 when none does.
int slotHolding(const QString& account, const QString& name) {
    Query slots = OpenOn(DataSource::TanorOnline, SlotsOf(account));
    for (int i = 1; i <= 5 && !slots.Eof(); ++i) {
        if (slots.Fields(i - 1).AsString().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString refusal(const QString& account, const QString& oldName, const QString& newName, int* slot) {
    if (newName.trimmed().isEmpty())
        return QStringLiteral("Type the new name.");
    {
        Query taken = OpenOn(DataSource::TanorOnline, FindName(newName));
        if (!taken.IsEmpty() && taken.Fields(0).AsString().compare(oldName, Qt::CaseInsensitive) != 0)
            return QStringLiteral("Name is in Use");
    }
    // A friend-system row left under the new name (a character deleted
    // earlier keeps its number) would refuse the rename half-way.
    if (heldByAnother(FriendNumberOf(newName), FriendNumberOf(oldName)) ||
        heldByAnother(FriendStatements::Entry(newName), FriendStatements::Entry(oldName)))
        return QStringLiteral("The friend system still holds the name ") + newName + nothingRenamed();
    *slot = slotHolding(account, oldName);
    if (*slot == 0)
        return QStringLiteral("No character slot of the account ") + account + QStringLiteral(" holds ") +
               oldName + nothingRenamed();
    return QString();
}

// A whole number however the driver hands it over; none for NULL or
// anything else.
std::optional<int> wholeNumber(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok || std::trunc(number) != number || std::abs(number) > 1e9)
        return std::nullopt;
    return int(number);
}

// Steps whose failure does not stop the command.
template <class F> void tolerated(F f) {
    try {
        f();
    } catch (const std::exception&) {
    }
}

} // namespace

CreateResult Create(const QString& account, const QString& name, int classCode) {
    if (!OpenOn(DataSource::TanorOnline, FindName(name)).IsEmpty())
        return CreateResult::NameInUse;
    ExecOn(DataSource::TanorOnline, CreateCharacter(account, name, classCode));
    // The procedure answers in its own way when it refuses: what counts is
    // whether the character is there now.
    if (OpenOn(DataSource::TanorOnline, FindName(name)).IsEmpty())
        return CreateResult::NotCreated;
    tolerated([&] { ExecOn(DataSource::TanorOnline, AddFriendNumber(name)); });
    qint64 guid = 0;
    tolerated([&] {
        Query number = OpenOn(DataSource::TanorOnline, FriendNumberOf(name));
        if (!number.Eof())
            guid = number.Fields(0).AsLargeInt();
    });
    tolerated([&] { ExecOn(DataSource::TanorOnline, AddFriendMain(guid, name)); });
    return CreateResult::Created;
}

RenameResult Rename(const QString& account, const QString& oldName, const QString& newName) {
    RenameResult result;
    int slot = 0;
    result.refusal = refusal(account, oldName, newName, &slot);
    if (!result.refusal.isEmpty())
        return result;
    if (ExecOn(DataSource::TanorOnline, RenameCharacter(account, oldName, newName)) == 0) {
        result.refusal = QStringLiteral("The account ") + account + QStringLiteral(" has no character ") +
                         oldName + nothingRenamed();
        return result;
    }
    result.applied << QStringLiteral("the character row");
    const struct {
        QString what;
        QString statement;
    } steps[] = {
        {QStringLiteral("the account's slot"), RenameSlot(account, slot, newName)},
        {QStringLiteral("the friend-system number"), RenameFriendNumber(oldName, newName)},
        {QStringLiteral("the friend-system entry"), RenameFriendEntry(oldName, newName)},
        {QStringLiteral("other characters' friend lists"), RenameInFriendLists(oldName, newName)},
        {QStringLiteral("the friend requests it sent"), RenameInFriendRequests(oldName, newName)},
        {QStringLiteral("the letters it sent"), RenameLetterSender(oldName, newName)},
    };
    for (const auto& step : steps) {
        if (!result.error.isEmpty()) {
            result.notDone << step.statement;
            continue;
        }
        try {
            (void)ExecOn(DataSource::TanorOnline, step.statement);
            result.applied << step.what;
        } catch (const DbError& e) {
            result.error = e.text();
            result.notDone << step.statement;
        }
    }
    return result;
}

MoveResult Move(const QString& account, const QString& character, const QString& newAccount) {
    Query answer = OpenOn(DataSource::TanorOnline, MoveCharacter(account, character, newAccount));
    if (answer.Eof())
        return {std::nullopt, QStringLiteral("The move procedure gave no result")};
    const QVariant value = answer.Fields(0).value();
    if (const std::optional<int> code = wholeNumber(value))
        return {code, QString()};
    // Reading NULL as 0 would report a move that never happened as done.
    return {std::nullopt, QStringLiteral("The move procedure answered ") +
                              (value.isNull() ? QStringLiteral("NULL")
                                              : QLatin1Char('\'') + value.toString() + QLatin1Char('\'')) +
                              QStringLiteral(" instead of a result code; it is not known whether the "
                                             "character was moved")};
}

} // namespace CharacterOps
