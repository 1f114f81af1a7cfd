#pragma once

#include "accounts/SearchUnit.h"
#include "core/AppState.h"
#include "widgets/ModalOpener.h"

// Lets the operator pick a guild in the search window (guild search mode);
// empty when the window closed without a choice.
inline QString PickGuild(QWidget* opener) {
    AppState.SearchResult.clear();
    AppState.SearchMode = 3;
    ModalOpener::Open(
        opener, [](QWidget* parent) { return new TSearchForm(parent); }, false);
    AppState.SearchMode = 0;
    return AppState.SearchResult;
}
