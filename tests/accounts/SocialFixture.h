#pragma once

#include "../app/ShellFixture.h"
#include "core/AppState.h"
#include "platform/StatementJournal.h"

#include <QListWidget>

#include <memory>

// The skill and friends windows on the demo server (Databases/TanorOnline.db
// and the delivered catalogue).
class DemoWindowTest : public ::testing::Test {
protected:
    void SetUp() override { env.buildDemo(); }
    void TearDown() override {
        AppState.CurrentAccount.clear();
        AppState.CurrentCharacter.clear();
        AppState.SearchMode = 0;
    }

    [[nodiscard]] QString gameFile() const { return env.path(QStringLiteral("Databases/TanorOnline.db")); }
    [[nodiscard]] QStringList game(const QString& sql) const { return rawRows(gameFile(), sql); }
    void raw(const QString& sql) const { TestEnvironment::execRaw(gameFile(), sql); }
    void rawCatalogue(const QString& sql) const {
        TestEnvironment::execRaw(env.path(QStringLiteral("TanorEditor.mdb")), sql);
    }

    template <class Form> std::unique_ptr<Form> open(const QString& account, const QString& character) {
        AppState.CurrentAccount = account;
        AppState.CurrentCharacter = character;
        return std::make_unique<Form>();
    }

    static QStringList entries(const QObject* form, const QString& list) {
        const auto* box = child<QListWidget>(form, list);
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->item(i)->text();
        return out;
    }

    TestEnvironment env;
};
