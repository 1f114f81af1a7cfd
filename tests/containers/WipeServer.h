#pragma once

#include "TestEnvironment.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <utility>

// A small game server for the wipe: characters, warehouses and an extra-vault
// table on the embedded backend, the item catalogue beside the editor, and
// the columns built record by record.
namespace WipeServer {

inline constexpr const char* kVaultTable = "ExtWarehouse";

// Creates the game database "Game" (empty tables) and the catalogue, and sets
// the record width. Returns the database file.
QString Create(TestEnvironment& env, int version);
// Switches the extra vaults on (Enabled 1) or to `enabled`.
void SetVaults(int enabled);

// A record of `width` bytes, zero but for the bytes given.
QByteArray Record(int width, std::initializer_list<std::pair<int, int>> bytes);
// `records` free positions with the given records planted.
QByteArray Column(int width, int records, std::initializer_list<std::pair<int, QByteArray>> items);

void AddCharacter(const QString& file, const QString& name, const QString& account,
                  const QByteArray* inventory);
void AddWarehouse(const QString& file, const QString& account, const QByteArray& items);
void AddVault(const QString& file, const QString& account, int number, const QByteArray& items);

// The first column of the first row, read straight from the file, as text
// ("<null>" for NULL, "<no row>" without a row).
QString Scalar(const QString& file, const QString& sql);

} // namespace WipeServer
