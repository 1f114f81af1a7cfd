#pragma once

#include "widgets/ModalOpener.h"

// The windows the main window opens, and how each is created. A window
// whose factory is empty is not part of the program yet: the commands that
// open it are shown but disabled. Wiring a window in is one line in
// MainWindows.cpp (and its #include).
enum class MainWindow {
    Wizard,           // TWizardForm
    SQLConnection,    // TSQLConnectionForm
    Authentication,   // TAuthenticationForm
    About,            // TAboutBox
    Administration,   // TAdministrationForm
    Search,           // TSearchForm
    CreateAccount,    // TCreateAccountForm
    ModifyAccount,    // TModifyAccountForm
    Warehouse,        // TWarehouseForm
    NewCharacter,     // TNewCharacterForm
    CharacterEdition, // TCharacterEditionForm
    Inventory,        // TInventoryForm
    FriendManager,    // TFriendManagerForm
    GuildManager,     // TGuildManagerForm
    EditGuild,        // TEditGuildForm
    MapServerGroup,   // TMapServerGroupForm
    CastleSiege,      // TCastleSiegeForm
    Log,              // TLOGForm
    Ranking,          // TRankingForm
    Join,             // TJoinForm
    GM,               // TGMForm
    Wipe,             // TWipeForm
    ItemConvertor,    // TItemConvertorForm
    FindItems,        // TFindItemsForm
    CatalogueTable,   // TDBForm
};

inline constexpr int kMainWindowCount = int(MainWindow::CatalogueTable) + 1;

// The factory the program uses for a window (empty: not built yet).
[[nodiscard]] ModalOpener::Factory MainWindowFactory(MainWindow window);
