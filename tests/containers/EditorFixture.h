#pragma once

#include "BoxScript.h"
#include "Child.h"
#include "TestEnvironment.h"
#include "WipeServer.h"
#include "core/WindowContext.h"

#include "core/UtilitiesUnit.h"
#include "items/CellGrid.h"
#include "items/ItemContainer.h"
#include "items/PropertyEditor.h"
#include "platform/StatementJournal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <memory>

// The container editors on the demo server: Databases/TanorOnline.db with its
// seeded characters, warehouses and extra vaults, the delivered catalogue,
// Version 0 and the extra vaults on. An operator is signed in.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.buildDemo();
        SelectedCell(ContainerKind::Inventory) = 0;
        SelectedCell(ContainerKind::Warehouse) = 0;
    }

    [[nodiscard]] QString db() const { return env.path(QStringLiteral("Databases/TanorOnline.db")); }
    void raw(const QString& sql) const { TestEnvironment::execRaw(db(), sql); }
    // The first column of the first row, read straight from the file.
    [[nodiscard]] QString scalar(const QString& sql) const { return WipeServer::Scalar(db(), sql); }
    [[nodiscard]] int itemCount() const {
        return scalar(QStringLiteral("SELECT ItemCount FROM GameServerInfo")).toInt();
    }

    // Opens an editor for the account and character as the main window hands
    // them over, shown so that clicks land on its cells.
    template <class Form>
    std::unique_ptr<Form> open(const QString& account, const QString& character = QString()) {
        auto form = std::make_unique<Form>(context(account, character));
        form->show();
        return form;
    }

    // What the main window hands an editor; an operator is signed in unless
    // a test says otherwise.
    [[nodiscard]] WindowContext context(const QString& account, const QString& character = QString()) const {
        WindowContext c;
        c.signedIn = signedIn;
        c.operatorId = signedIn ? QStringLiteral("admin") : QString();
        c.account = account;
        c.character = character;
        return c;
    }

    // Save of a window opened with nobody signed in: no statement, no box,
    // the window closes.
    static void expectSaveWithoutOperatorDoesNothing(QWidget* form) {
        StatementJournal::Recorder journal;
        BoxScript boxes;
        QTest::mouseClick(child<QAbstractButton>(form, QStringLiteral("AddItem")), Qt::LeftButton);
        EXPECT_TRUE(journal.texts().empty());
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_FALSE(form->isVisible());
    }

    TestEnvironment env;
    bool signedIn = true;
};

// Driving a container window as the operator does.
namespace Operator {

inline QAbstractButton* cell(QWidget* form, int k) {
    return child<QAbstractButton>(form, QStringLiteral("BitBtn%1").arg(k));
}
inline void click(QWidget* form, int k) {
    QTest::mouseClick(cell(form, k), Qt::LeftButton, {}, QPoint(4, 4));
}
// Two clicks on a free cell place the property editor's item.
inline void place(QWidget* form, int k) {
    click(form, k);
    click(form, k);
}
inline void rightClick(QWidget* form, int k) {
    QAbstractButton* button = cell(form, k);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &event);
    for (QMenu* menu : form->findChildren<QMenu*>())
        menu->close();
}
// Right-click on cell k, then the menu entry `action` ("Delete1", "Info1").
inline void menu(QWidget* form, int k, const char* action) {
    rightClick(form, k);
    child<QAction>(form, QLatin1String(action))->trigger();
}
inline void press(QWidget* form, const char* button) {
    QTest::mouseClick(child<QAbstractButton>(form, QLatin1String(button)), Qt::LeftButton);
}
// Picks an entry of a list as the operator does.
inline void choose(QWidget* form, const char* list, const QString& entry) {
    auto* box = child<QComboBox>(form, QLatin1String(list));
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}
inline void type(QWidget* form, const char* edit, const QString& text) {
    auto* box = child<QLineEdit>(form, QLatin1String(edit));
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace Operator

// A column as the database returns it through hex(): `records` records of
// `length` characters, all free but for those given (position from 1).
inline QString FreeColumn(int records, int length) {
    return QString(records * length, QLatin1Char('F'));
}

// The number of statements of a journal that start with `head`.
inline int Count(const std::vector<QString>& texts, const QString& head) {
    return int(
        std::count_if(texts.begin(), texts.end(), [&](const QString& t) { return t.startsWith(head); }));
}
