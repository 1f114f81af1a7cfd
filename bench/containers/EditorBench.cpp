// Opening and saving the container editors on the demo server, offscreen:
// each iteration creates the window (everything loads while it is created:
// the column, the type list, one catalogue lookup per stored record, the
// property editor and one serial) and destroys it; a save iteration times
// only the click on "Save" of a window opened beforehand.
//
//   bench_containers             Google Benchmark; the medians are the figures

#include "containers/InventoryUnit.h"
#include "containers/WareHouseUnit.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "tools/DemoBuilder.h"
#include "widgets/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

// Every box is answered OK at once (the demo warehouse holds an unknown
// item; a save says "Updated!").
class Silent : public Dialogs::Handler {
public:
    bool show(const Dialogs::Box&) override { return true; }
};

// An editor folder with the demo server, its catalogue and its settings
// (Version 0, extra vaults on), every game key on "TanorOnline".
class DemoFolder {
public:
    DemoFolder() {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        AppPaths::SetOverride(m_dir.path());
        qputenv("ODBCINI", (m_dir.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
        DemoBuilder::PrepareDemo(m_dir.path(), QStringLiteral(TANOR_RESOURCES));
        DemoBuilder::UseDemoDataSources(m_dir.path());
    }

private:
    QTemporaryDir m_dir;
};

template <class Form> std::unique_ptr<Form> openFor(const char* account, const char* character) {
    WindowContext context;
    context.signedIn = true;
    context.account = QLatin1String(account);
    context.character = QLatin1String(character);
    return std::make_unique<Form>(context);
}

template <class Form> void timeOpening(benchmark::State& state, const char* account, const char* character) {
    for (auto _ : state) {
        auto form = openFor<Form>(account, character);
        benchmark::DoNotOptimize(form.get());
        form.reset();
        QApplication::processEvents(); // the deleteLater of the window's menus
    }
}

template <class Form> void timeSave(benchmark::State& state, const char* account, const char* character) {
    for (auto _ : state) {
        state.PauseTiming();
        auto form = openFor<Form>(account, character);
        auto* save = form->template findChild<QAbstractButton*>(QStringLiteral("AddItem"));
        state.ResumeTiming();
        save->click();
        state.PauseTiming();
        if (form->result() != QDialog::Accepted)
            state.SkipWithError("the save did not succeed");
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Brann wears a full set and carries a bag: 23 stored records.
void BM_OpenInventory(benchmark::State& state) {
    timeOpening<TInventoryForm>(state, "marlow", "Brann");
}
// kestrel's warehouse (9 stored records) with the vault list.
void BM_OpenWarehouse(benchmark::State& state) {
    timeOpening<TWarehouseForm>(state, "kestrel", "");
}
void BM_SaveInventory(benchmark::State& state) {
    timeSave<TInventoryForm>(state, "marlow", "Brann");
}
void BM_SaveWarehouse(benchmark::State& state) {
    timeSave<TWarehouseForm>(state, "kestrel", "");
}

BENCHMARK(BM_OpenInventory)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_OpenWarehouse)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_SaveInventory)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_SaveWarehouse)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Silent silent;
    Dialogs::SetHandler(&silent);
    DemoFolder folder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Dialogs::SetHandler(nullptr);
    return 0;
}
