#include "app/MainWindows.h"

#include "accounts/AccountCreationForm.h"
#include "accounts/CharacterUnit.h"
#include "accounts/FriendManagerUnit.h"
#include "accounts/ModifyAccountUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "accounts/SearchUnit.h"
#include "accounts/SkillUnit.h"
#include "app/AboutUnit.h"
#include "app/AdministrationUnit.h"
#include "app/AuthenticationUnit.h"
#include "app/SQLConnectionUnit.h"
#include "app/WizardUnit.h"
#include "containers/FindItemsUnit.h"
#include "containers/InventoryUnit.h"
#include "containers/WareHouseUnit.h"
#include "containers/WipeUnit.h"
#include "guilds/CastleSiegeUnit.h"
#include "guilds/EditGuildUnit.h"
#include "guilds/GuildManagerUnit.h"
#include "guilds/MapServerGroupUnit.h"
#include "items/ItemConvertorUnit.h"
#include "reports/DBUnit.h"
#include "reports/GMUnit.h"
#include "reports/JoinUnit.h"
#include "reports/LogUnit.h"
#include "reports/RankingUnit.h"

#include <map>

namespace {
// A window that needs nothing from its opener.
template <class T> ModalOpener::ContextFactory make() {
    return [](QWidget* parent, const WindowContext&) { return new T(parent); };
}
// A window opened for the context.
template <class T> ModalOpener::ContextFactory withContext() {
    return [](QWidget* parent, const WindowContext& context) { return new T(context, parent); };
}
} // namespace

ModalOpener::ContextFactory MainWindowFactory(MainWindow window) {
    // One line per window that exists; a window missing here keeps its
    // commands disabled.
    static const std::map<MainWindow, ModalOpener::ContextFactory> windows = {
        {MainWindow::Wizard, make<TWizardForm>()},
        {MainWindow::SQLConnection, make<TSQLConnectionForm>()},
        {MainWindow::Authentication, make<TAuthenticationForm>()},
        {MainWindow::About, make<TAboutBox>()},
        {MainWindow::Administration, withContext<TAdministrationForm>()},
        {MainWindow::Search, make<TSearchForm>()},
        {MainWindow::CreateAccount, make<TCreateAccountForm>()},
        {MainWindow::ModifyAccount, withContext<TModifyAccountForm>()},
        {MainWindow::NewCharacter, withContext<TNewCharacterForm>()},
        {MainWindow::CharacterEdition,
         [](QWidget* parent, const WindowContext& context) {
             // Its "Skills..." opens the skill list editor.
             return new TCharacterEditionForm(context, withContext<TSkillForm>(), parent);
         }},
        {MainWindow::Warehouse, withContext<TWarehouseForm>()},
        {MainWindow::Inventory, withContext<TInventoryForm>()},
        {MainWindow::FriendManager, withContext<TFriendManagerForm>()},
        {MainWindow::GuildManager, make<TGuildManagerForm>()},
        {MainWindow::EditGuild, withContext<TEditGuildForm>()},
        {MainWindow::MapServerGroup, withContext<TMapServerGroupForm>()},
        {MainWindow::CastleSiege, withContext<TCastleSiegeForm>()},
        {MainWindow::Wipe, make<TWipeForm>()},
        {MainWindow::FindItems, withContext<TFindItemsForm>()},
        {MainWindow::ItemConvertor, make<TItemConvertorForm>()},
        {MainWindow::Log, withContext<TLOGForm>()},
        {MainWindow::Ranking, make<TRankingForm>()},
        {MainWindow::Join, make<TJoinForm>()},
        {MainWindow::GM, make<TGMForm>()},
        {MainWindow::CatalogueTable, withContext<TDBForm>()},
    };
    const auto it = windows.find(window);
    return it == windows.end() ? ModalOpener::ContextFactory() : it->second;
}
