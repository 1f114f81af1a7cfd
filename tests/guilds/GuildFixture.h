#pragma once

#include "../app/ShellFixture.h"
#include "core/WindowContext.h"
#include "platform/StatementJournal.h"

#include "accounts/SearchUnit.h"
#include "widgets/WidgetKit.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <vector>

// The guild and castle windows on the demo server.
class GuildTest : public EnvTest {
protected:
    void SetUp() override { env.buildDemo(); }

    [[nodiscard]] QString db() const { return env.path(QStringLiteral("Databases/TanorOnline.db")); }
    [[nodiscard]] QStringList rows(const QString& sql) const { return rawRows(db(), sql); }
    void raw(const QString& sql) const { TestEnvironment::execRaw(db(), sql); }

    static QStringList listed(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static QString text(const QObject* root, const char* name) {
        return child<QLabel>(root, QString::fromLatin1(name))->text();
    }
    // A step of a modal script that picks the first guild a search for
    // `word` finds in the search window, or closes it when word is empty.
    static std::function<void(TSearchForm*)> searchGuild(const QString& word) {
        return [word](TSearchForm* f) {
            // Opened for guilds only.
            EXPECT_EQ(child<RadioGroup>(f, QStringLiteral("Engine"))->ItemIndex(), 2);
            EXPECT_FALSE(child<RadioGroup>(f, QStringLiteral("Engine"))->isEnabled());
            if (word.isEmpty()) {
                click(f, QStringLiteral("CloseButton"));
                return;
            }
            type(f, QStringLiteral("Search"), word);
            click(f, QStringLiteral("SearchButton"));
            click(f, QStringLiteral("OkButton"));
        };
    }
};

inline QString S(const char* text) {
    return QString::fromUtf8(text);
}
