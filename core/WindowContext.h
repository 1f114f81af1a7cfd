#pragma once

#include <QString>

// What the shell hands a window it opens: the signed-in operator and the main
// window's current choices. A window copies what it needs when it is created;
// what it gives back (an account created, a name found, a sign-in) it keeps
// for its opener to read once it has closed.
struct WindowContext {
    // The operator who signed in; empty before sign-in.
    QString operatorId;
    // Whether an operator is signed in: the windows that save (inventory,
    // warehouse, usage log) write nothing otherwise.
    bool signedIn = false;

    // The main window's choices (empty: none).
    QString account;
    QString character;
    QString guild;

    // Arguments of single commands: the catalogue editor's table ("Item" or
    // "Skill") and the castle siege's map server group as the prompt took it.
    QString catalogueTable;
    QString mapServerGroup;
};
