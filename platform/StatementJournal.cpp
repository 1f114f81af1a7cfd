#include "platform/StatementJournal.h"

#include <map>

namespace {
std::map<int, StatementJournal::Listener>& listeners() {
    static std::map<int, StatementJournal::Listener> map;
    return map;
}
int g_next = 1;
} // namespace

namespace StatementJournal {

int AddListener(Listener listener) {
    const int handle = g_next++;
    listeners().emplace(handle, std::move(listener));
    return handle;
}

void RemoveListener(int handle) {
    listeners().erase(handle);
}

void Publish(const JournalEntry& entry) {
    // Copy: a listener may remove itself.
    const auto current = listeners();
    for (const auto& [handle, listener] : current)
        listener(entry);
}

Recorder::Recorder() : m_handle(AddListener([this](const JournalEntry& e) { m_entries.push_back(e); })) {}

Recorder::~Recorder() {
    RemoveListener(m_handle);
}

std::vector<QString> Recorder::texts() const {
    std::vector<QString> out;
    out.reserve(m_entries.size());
    for (const JournalEntry& e : m_entries)
        out.push_back(e.text);
    return out;
}

} // namespace StatementJournal
