#include "BoxScript.h"
#include "ModalScript.h"
#include "TestEnvironment.h"

#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/FileChooser.h"
#include "widgets/Guard.h"
#include "widgets/ModalOpener.h"
#include "widgets/TrayIcon.h"

#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace {

TEST(UiSeams, GeneralErrorBoxAddsAFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(Dialogs::ErrorText(QStringLiteral("Invalid column name 'x'")),
              QStringLiteral("Invalid column name 'x'"));
    EXPECT_EQ(Dialogs::ErrorText(QStringLiteral("no such table: Foo")),
              QStringLiteral("no such table: Foo."));
    EXPECT_EQ(Dialogs::ErrorText(QStringLiteral("done.")), QStringLiteral("done."));
    EXPECT_EQ(Dialogs::ErrorText(QStringLiteral("what?")), QStringLiteral("what?."));
    EXPECT_EQ(Dialogs::ErrorText(QStringLiteral("(x)")), QStringLiteral("(x)"));
    EXPECT_EQ(Dialogs::ErrorText(QString()), QString());
}

TEST(UiSeams, BoxesAreRecordedAndAnsweredInOrder) {
    BoxScript boxes;
    boxes.ok().cancel().ok();
    QWidget window;
    Dialogs::Show(&window, QStringLiteral("Guild Editor"), QStringLiteral("You must select a guild first"),
                  Dialogs::Icon::Warning);
    EXPECT_FALSE(Dialogs::Ask(&window, QStringLiteral("Vorn"), QStringLiteral("Are you sure?")));
    Dialogs::ShowError(&window, DbError(QStringLiteral("broken")));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Captioned);
    EXPECT_EQ(boxes.boxes()[0].caption, QStringLiteral("Guild Editor"));
    EXPECT_EQ(boxes.boxes()[0].parent, &window);
    EXPECT_EQ(boxes.boxes()[1].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.boxes()[2].caption, QStringLiteral("VornTanorEditor"));
    EXPECT_EQ(boxes.boxes()[2].text, QStringLiteral("broken."));
    EXPECT_EQ(boxes.boxes()[2].icon, Dialogs::Icon::Error);
}

TEST(UiSeams, ASavedFileWithoutExtensionGetsTheFilters) {
    const QString csv = QStringLiteral("CSV files (*.csv)");
    const QString png = QStringLiteral("PNG images (*.png)");
    struct Case {
        QString typed;
        QString filter;
        QString saved;
    };
    for (const Case& c : {Case{QStringLiteral("/t/ranking"), csv, QStringLiteral("/t/ranking.csv")},
                          Case{QStringLiteral("/t/chart"), png, QStringLiteral("/t/chart.png")},
                          Case{QStringLiteral("/t/v1.2/chart"), png, QStringLiteral("/t/v1.2/chart.png")},
                          Case{QStringLiteral("/t/ranking.csv"), csv, QStringLiteral("/t/ranking.csv")},
                          Case{QStringLiteral("/t/notes.txt"), csv, QStringLiteral("/t/notes.txt")},
                          Case{QString(), csv, QString()}}) {
        const FileChooser::Hook previous =
            FileChooser::SetHook([&c](FileChooser::Mode, const QString&, const QString&) { return c.typed; });
        EXPECT_EQ(FileChooser::SaveFile(nullptr, QStringLiteral("Save"), c.filter), c.saved)
            << c.typed.toStdString();
        // Only a file to write is named for the operator; one to read is as chosen.
        EXPECT_EQ(FileChooser::OpenFile(nullptr, QStringLiteral("Open"), c.filter), c.typed);
        FileChooser::SetHook(previous);
    }
}

TEST(UiSeams, NoExceptionCrossesASlot) {
    BoxScript boxes;
    boxes.ok(2);
    QPushButton button;
    int after = 0;
    ConnectGuarded(&button, &QPushButton::clicked, &button,
                   [&] { throw DbError(QStringLiteral("db down")); });
    ConnectGuarded(&button, &QPushButton::clicked, &button, [&](bool) { ++after; });
    button.click();
    RunGuarded(&button, [] { throw std::runtime_error("plain"); });
    EXPECT_EQ(after, 1);
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{QStringLiteral("db down."), QStringLiteral("plain.")}));
}

TEST(UiSeams, ModalWindowsHideTheOpenerAndAreDestroyed) {
    QWidget opener;
    opener.show();
    QPointer<QDialog> seen;
    bool openerHidden = false;
    {
        ModalScript modal;
        modal.then([&](QDialog* d) {
            seen = d;
            EXPECT_EQ(d->parentWidget(), &opener);
            openerHidden = !opener.isVisible();
            d->accept();
        });
        const int result = ModalOpener::Open(&opener, [](QWidget* parent) { return new QDialog(parent); });
        EXPECT_EQ(result, QDialog::Accepted);
    }
    EXPECT_TRUE(openerHidden);
    EXPECT_TRUE(opener.isVisible());
    EXPECT_TRUE(seen.isNull());

    // Kept visible on request; the opener is shown again even when creation fails.
    ModalScript modal;
    modal.then([&](QDialog* d) {
        openerHidden = !opener.isVisible();
        d->reject();
    });
    EXPECT_EQ(ModalOpener::Open(
                  &opener, [](QWidget* parent) { return new QDialog(parent); }, false),
              QDialog::Rejected);
    EXPECT_FALSE(openerHidden);
    EXPECT_THROW(ModalOpener::Open(&opener, [](QWidget*) -> QDialog* { throw DbError(QStringLiteral("x")); }),
                 DbError);
    EXPECT_TRUE(opener.isVisible());
}

TEST(UiSeams, WithoutATrayTheWindowIsMinimised) {
    QWidget window;
    QMenu menu;
    window.show();
    TrayIcon tray(&window, &menu);
    ASSERT_FALSE(TrayIcon::Available()); // offscreen has no tray
    tray.Minimize();
    EXPECT_TRUE(window.isMinimized());
    EXPECT_FALSE(tray.IconShown());
    tray.Restore();
    EXPECT_FALSE(window.isMinimized());
}

} // namespace
