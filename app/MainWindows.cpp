#include "app/MainWindows.h"

#include "accounts/SearchUnit.h"
#include "app/AboutUnit.h"
#include "app/AdministrationUnit.h"
#include "app/AuthenticationUnit.h"
#include "app/SQLConnectionUnit.h"
#include "app/WizardUnit.h"
#include "containers/InventoryUnit.h"
#include "containers/WareHouseUnit.h"
#include "containers/WipeUnit.h"
#include "items/ItemConvertorUnit.h"

#include <map>

namespace {
template <class T> ModalOpener::Factory make() {
    return [](QWidget* parent) { return new T(parent); };
}
} // namespace

ModalOpener::Factory MainWindowFactory(MainWindow window) {
    // One line per window that exists; a window missing here keeps its
    // commands disabled.
    static const std::map<MainWindow, ModalOpener::Factory> windows = {
        {MainWindow::Wizard, make<TWizardForm>()},
        {MainWindow::SQLConnection, make<TSQLConnectionForm>()},
        {MainWindow::Authentication, make<TAuthenticationForm>()},
        {MainWindow::About, make<TAboutBox>()},
        {MainWindow::Administration, make<TAdministrationForm>()},
        {MainWindow::Search, make<TSearchForm>()},
        {MainWindow::Warehouse, make<TWarehouseForm>()},
        {MainWindow::Inventory, make<TInventoryForm>()},
        {MainWindow::Wipe, make<TWipeForm>()},
        {MainWindow::ItemConvertor, make<TItemConvertorForm>()},
    };
    const auto it = windows.find(window);
    return it == windows.end() ? ModalOpener::Factory() : it->second;
}
