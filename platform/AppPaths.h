#pragma once

#include <QString>

// Where the tool finds the files that live beside its executable: the
// settings file, the item catalogue and, on platforms without a local SQL
// Server, the folder of the embedded server's databases.
namespace AppPaths {

// Folder of the executable, ending without a separator.
[[nodiscard]] QString ExecutableDir();
// The executable's file name without extension ("VornTanorEditor").
[[nodiscard]] QString ExecutableBaseName();
// ExecutableDir() + "/" + ExecutableBaseName() + ".ini"
[[nodiscard]] QString SettingsFile();
// ExecutableDir() + "/TanorEditor.mdb"
[[nodiscard]] QString CatalogueFile();
// ExecutableDir() + "/Databases": the embedded stand-in for the local server.
[[nodiscard]] QString LocalServerDir();

// Tools and tests run from other executables but act on an editor folder:
// this points every path above at that folder instead. An empty dir removes
// the override.
void SetOverride(const QString& dir, const QString& baseName = QStringLiteral("VornTanorEditor"));

} // namespace AppPaths
