// How many statements each action sends, counted from the statement journal:
// opening and saving the inventory and warehouse editors on the demo server,
// and the wipe and the conversion per row walked on a generated server. For
// each action: all statements, those to the game database and to the item
// catalogue file, and the text sent most often.
//
//   round_trips [rows]      rows of the generated server (default 200)
#include "WipeBenchServer.h"

#include "containers/InventoryUnit.h"
#include "containers/WareHouseUnit.h"
#include "containers/WipeUnit.h"
#include "core/UtilitiesUnit.h"
#include "items/ItemConversion.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/StatementJournal.h"
#include "tools/DemoBuilder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Counts what `action` sends; `per` divides the counts (rows walked).
void count(const char* what, const std::function<void()>& action, double per = 1) {
    StatementJournal::Recorder journal;
    action();
    int catalogue = 0;
    QHash<QString, int> repeats;
    for (const JournalEntry& e : journal.entries()) {
        if (e.connection.endsWith(QLatin1String(".mdb")))
            ++catalogue;
        ++repeats[e.text];
    }
    const int all = int(journal.entries().size());
    QString top;
    int most = 0;
    for (auto it = repeats.cbegin(); it != repeats.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            top = it.key();
        }
    }
    std::printf("%-34s %9.2f %9.2f %9.2f   %dx %s\n", what, all / per, (all - catalogue) / per,
                catalogue / per, most, qPrintable(top.left(60)));
}

template <class Form> std::unique_ptr<Form> openFor(const char* account, const char* character) {
    WindowContext context;
    context.signedIn = true;
    context.account = QLatin1String(account);
    context.character = QLatin1String(character);
    return std::make_unique<Form>(context);
}

template <class Form> void editor(const char* name, const char* account, const char* character) {
    std::unique_ptr<Form> form;
    count((QByteArray(name) + " open").constData(), [&] { form = openFor<Form>(account, character); });
    auto* save = form->template findChild<QAbstractButton*>(QStringLiteral("AddItem"));
    count((QByteArray(name) + " save").constData(), [&] { save->click(); });
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    AcceptBoxes boxes;
    std::printf("%-34s %9s %9s %9s   %s\n", "action", "all", "game", "catalogue", "most repeated text");
    {
        QTemporaryDir dir;
        AppPaths::SetOverride(dir.path());
        qputenv("ODBCINI", (dir.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
        DemoBuilder::PrepareDemo(dir.path(), QStringLiteral(TANOR_RESOURCES));
        DemoBuilder::UseDemoDataSources(dir.path());
        editor<TInventoryForm>("inventory (23 records)", "marlow", "Brann");
        editor<TWarehouseForm>("warehouse (9 records)", "kestrel", "");
        ConnectionPool::instance().closeAll();
    }
    WipeBenchServer server(rows);
    const double walked = 2.0 * rows; // characters and warehouses
    count(
        "wipe, per row",
        [&] {
            TWipeForm form;
            form.findChild<QComboBox*>(QStringLiteral("ComboBox1"))
                ->setCurrentIndex(WipeBenchServer::kSpearType);
            form.findChild<QAction*>(QStringLiteral("WipeFollowing1"))->trigger();
        },
        walked);
    ConnectionPool::instance().closeAll();
    server.restore();
    count(
        "conversion, per row",
        [] {
            ContainerWalk::Listener none;
            (void)ItemConversion::Run(none);
        },
        walked);
    ConnectionPool::instance().closeAll();
    return 0;
}
