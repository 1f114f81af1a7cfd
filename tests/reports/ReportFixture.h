#pragma once

#include "../app/ShellFixture.h"
#include "core/WindowContext.h"
#include "platform/StatementJournal.h"
#include "widgets/FileChooser.h"

#include <QLabel>
#include <QListWidget>

// The report windows on the demo server, an operator signed in.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override { env.buildDemo(); }

    // What the main window hands a report window: "admin" signed in.
    static WindowContext signedIn() {
        WindowContext context;
        context.operatorId = QStringLiteral("admin");
        context.signedIn = true;
        return context;
    }

    [[nodiscard]] QString game() const { return env.path(QStringLiteral("Databases/TanorOnline.db")); }
    [[nodiscard]] QString ranking() const { return env.path(QStringLiteral("Databases/Ranking.db")); }
    [[nodiscard]] QString catalogue() const { return env.path(QStringLiteral("TanorEditor.mdb")); }
    void raw(const QString& sql) const { TestEnvironment::execRaw(game(), sql); }

    static QStringList listed(const QObject* w, const QString& name) {
        QStringList out;
        const auto* list = child<QListWidget>(w, name);
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // Chooses a list entry and clicks it, as the operator does.
    static void choose(const QObject* w, const QString& list, const QString& entry) {
        auto* l = child<QListWidget>(w, list);
        const auto found = l->findItems(entry, Qt::MatchExactly);
        if (found.isEmpty())
            throw std::runtime_error("no entry " + entry.toStdString());
        l->setCurrentItem(found.front());
        Q_EMIT l->itemClicked(found.front());
    }
    static QString label(const QObject* w, const QString& name) { return child<QLabel>(w, name)->text(); }

    TestEnvironment env;
};

// Answers the file dialogs with one file while it lives.
class FileAnswer {
public:
    explicit FileAnswer(QString file)
        : m_previous(FileChooser::SetHook(
              [file](FileChooser::Mode, const QString&, const QString&) { return file; })) {}
    ~FileAnswer() { FileChooser::SetHook(m_previous); }

private:
    FileChooser::Hook m_previous;
};
