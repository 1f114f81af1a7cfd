#pragma once

#include "core/ResetSettings.h"

#include <QString>

// The statements on the reset table. The names must have passed
// InvalidName.
namespace ResetStatements {

[[nodiscard]] QString ReadResets(const ResetSettings& names, const QString& character);
[[nodiscard]] QString WriteResets(const ResetSettings& names, const QString& character, qint64 resets);

} // namespace ResetStatements
