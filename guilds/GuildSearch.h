#pragma once

#include "accounts/SearchUnit.h"
#include "widgets/ModalOpener.h"

// Lets the operator pick a guild in the search window (guild search mode);
// empty when the window closed without a choice.
inline QString PickGuild(QWidget* opener) {
    QString guild;
    ModalOpener::OpenAndRead<TSearchForm>(
        opener, [](QWidget* parent) { return new TSearchForm(parent, SearchMode::Guilds); }, false,
        [&guild](const TSearchForm& search) { guild = search.Found().guild; });
    return guild;
}
