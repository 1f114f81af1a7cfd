#include "accounts/FriendStore.h"

#include "accounts/FriendStatements.h"
#include "core/QueryHelpers.h"

#include <algorithm>

namespace FriendStore {

namespace {

QStringList friendNames(const QString& statement) {
    QStringList names;
    for (Query query = OpenOn(DataSource::TanorOnline, statement); !query.Eof(); query.Next())
        names << query.FieldByName(QStringLiteral("FriendName")).AsString();
    return names;
}

void run(const QString& statement) {
    ExecOn(DataSource::TanorOnline, statement);
}

} // namespace

std::optional<Entry> Load(const QString& character) {
    Entry entry;
    {
        Query row = OpenOn(DataSource::TanorOnline, FriendStatements::Entry(character));
        // Without an entry there is no GUID to ask about.
        if (row.IsEmpty())
            return std::nullopt;
        entry.guid = row.FieldByName(QStringLiteral("GUID")).AsInteger();
    }
    entry.friends = friendNames(FriendStatements::Friends(entry.guid));
    entry.subjects = ListOn(DataSource::TanorOnline, FriendStatements::Subjects(entry.guid));
    entry.requests = friendNames(FriendStatements::WaitingRequests(entry.guid));
    return entry;
}

std::optional<ChosenLetter> LetterOf(int guid, const QString& subject, int occurrence) {
    QList<int> indexes;
    for (Query same = OpenOn(DataSource::TanorOnline, FriendStatements::LettersWithSubject(guid, subject));
         !same.Eof(); same.Next())
        indexes << same.FieldByName(QStringLiteral("MemoIndex")).AsInteger();
    if (indexes.isEmpty())
        return std::nullopt;
    ChosenLetter chosen;
    chosen.memoIndex = indexes[std::clamp(occurrence, 0, int(indexes.size()) - 1)];
    Query letter = OpenOn(DataSource::TanorOnline, FriendStatements::Letter(guid, chosen.memoIndex));
    if (!letter.IsEmpty())
        chosen.letter =
            LetterText::Decode(letter.FieldByName(QStringLiteral("Memo")).AsBytes(), LetterText::CodePage());
    return chosen;
}

void SendRequest(const QString& character, const QString& friendName) {
    run(FriendStatements::SendRequest(character, friendName));
}

void AcceptRequest(const QString& character, const QString& requester) {
    run(FriendStatements::AcceptRequest(character, requester));
}

void DenyRequest(const QString& character, const QString& requester) {
    run(FriendStatements::DenyRequest(character, requester));
}

void RemoveFriend(const QString& character, const QString& friendName) {
    run(FriendStatements::RemoveFriend(character, friendName));
}

void DeleteLetter(const QString& character, int memoIndex) {
    run(FriendStatements::DeleteLetter(character, memoIndex));
}

} // namespace FriendStore
