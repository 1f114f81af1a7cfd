#pragma once

// What every run of the program sets up before the main window exists: the
// application title, the icon, the audit file, and that only the program's
// own exit commands end it.
void SetUpApplication();
