#pragma once

#include <QString>

// The values windows hand each other. All are empty or 0 when the program
// starts. The opener sets a field just before it opens a window, which reads
// it when it is created; a window with a result sets its field just before it
// closes, and the opener reads it afterwards. Nothing else is shared.
struct TAppState {
    // ---- the current choice, handed to the window being opened

    // Written by the main window (before the account, warehouse, inventory,
    // character and new-character windows) and by the search window (an
    // account found). Read by those windows and by the main window.
    QString CurrentAccount;
    // Written by the main window (inventory, character and friends windows),
    // the search window (a character found), character creation (the new
    // name) and the friends window (cleared before its own search). Read by
    // those windows and by the main window.
    QString CurrentCharacter;
    // Written by the main window (guild editor), guild creation (the new
    // guild) and the search window (a guild found). Read by the guild editor
    // and by the main window.
    QString CurrentGuild;

    // ---- the search window

    // Written by every opener of the search window: 0 free search (main
    // window), 2 characters (friends window), 3 guilds (union and castle
    // siege); a window that set 2 or 3 sets 0 again afterwards. Read by the
    // search window.
    int SearchMode = 0;
    // Written by the search window in mode 3 (the guild picked). Read by the
    // guild editor's union and the castle siege window.
    QString SearchResult;

    // ---- results of the creation windows

    // Written by the main window (0 before opening account creation) and by
    // account creation (1 when an account was created). Read by the main
    // window, which then selects CreatedAccount.
    int AccountCreated = 0;
    // Written by account creation. Read by the main window.
    QString CreatedAccount;

    // ---- start-up and sign-in

    // Written by the sign-in (the ID that signed in). Read by administration
    // and the audit file.
    QString OperatorId;
    // Written by the main window (0 before sign-in) and the sign-in (1 on
    // success). Read by the main window and by every window that saves only
    // for a signed-in operator (inventory, warehouse, usage log).
    int OperatorSignedIn = 0;
    // Written by the main window (1 at start) and the wizard (0 after
    // "Close", 1 on "Finish"). Read by the main window.
    int SetupDone = 0;

    // ---- windows with a parameter of their own

    // Written by the main window ("Item" or "Skill"). Read by the catalogue
    // table editor.
    QString CatalogueTable;
    // Written by the map server group prompt. Read by the castle siege window.
    QString MapServerGroup;
};

extern TAppState AppState;
