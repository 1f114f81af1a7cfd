#pragma once

#include "../app/ShellFixture.h"
#include "core/WindowContext.h"
#include "platform/StatementJournal.h"

#include <memory>
#include <type_traits>

// The account and character windows on the demo server: one database behind
// every key, hashing off unless a test turns it on, resets on.
class AccountsTest : public EnvTest {
protected:
    void SetUp() override { env.buildDemo(); }

    [[nodiscard]] QString db() const { return env.path(QStringLiteral("Databases/TanorOnline.db")); }
    [[nodiscard]] QStringList rows(const QString& sql) const { return rawRows(db(), sql); }
    [[nodiscard]] QString row(const QString& sql) const {
        const QStringList all = rows(sql);
        return all.isEmpty() ? QStringLiteral("<none>") : all.first();
    }
    void raw(const QString& sql) const { TestEnvironment::execRaw(db(), sql); }
    static void setHashing(int value) {
        WriteSettingInt(QStringLiteral("MD5Encryption"), QStringLiteral("Enabled"), value);
    }

    // A window opened as its opener hands the names over.
    template <class Form>
    std::unique_ptr<Form> open(const QString& account = QString(), const QString& character = QString()) {
        if constexpr (std::is_constructible_v<Form, const WindowContext&>)
            return std::make_unique<Form>(names(account, character));
        else
            return std::make_unique<Form>();
    }
    static WindowContext names(const QString& account, const QString& character = QString()) {
        WindowContext context;
        context.account = account;
        context.character = character;
        return context;
    }

    // The texts of the journal, lines joined as the data layer joins them.
    static QString lines(const QStringList& parts) { return parts.join(QStringLiteral("\r\n")); }
};
