#pragma once

#include "core/UtilitiesUnit.h"
#include "platform/OdbcRegistry.h"

#include <QString>

#include <stdexcept>

// Registers the embedded data source "Game" on `file` and points the game
// database's settings key at it.
inline void UseGameDatabase(const QString& file) {
    if (!OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Driver"), QStringLiteral("SQLite3")) ||
        !OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Database"), file))
        throw std::runtime_error("cannot register the data source");
    WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::TanorOnline), QStringLiteral("Game"));
}
