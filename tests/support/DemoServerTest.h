#pragma once

#include "RawRows.h"
#include "TestEnvironment.h"

#include <QString>
#include <QStringList>

inline QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Core operations on a fresh demo server, its game database read and
// written straight beside them.
class DemoServerTest : public EnvTest {
protected:
    void SetUp() override { env.buildDemo(); }
    [[nodiscard]] QString db() const { return env.path(S("Databases/TanorOnline.db")); }
    void raw(const QString& sql) const { TestEnvironment::execRaw(db(), sql); }
    [[nodiscard]] QStringList rows(const QString& sql) const { return rawRows(db(), sql); }
};
