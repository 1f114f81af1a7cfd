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
        {MainWindow::CreateAccount, make<TCreateAccountForm>()},
        {MainWindow::ModifyAccount, make<TModifyAccountForm>()},
        {MainWindow::NewCharacter, make<TNewCharacterForm>()},
        {MainWindow::CharacterEdition,
         [](QWidget* parent) {
             // Its "Skills..." opens the skill list editor.
             TCharacterEditionForm::SkillWindowFactory() = make<TSkillForm>();
             return new TCharacterEditionForm(parent);
         }},
        {MainWindow::Warehouse, make<TWarehouseForm>()},
        {MainWindow::Inventory, make<TInventoryForm>()},
        {MainWindow::FriendManager, make<TFriendManagerForm>()},
        {MainWindow::GuildManager, make<TGuildManagerForm>()},
        {MainWindow::EditGuild, make<TEditGuildForm>()},
        {MainWindow::MapServerGroup, make<TMapServerGroupForm>()},
        {MainWindow::CastleSiege, make<TCastleSiegeForm>()},
        {MainWindow::Wipe, make<TWipeForm>()},
        {MainWindow::FindItems, make<TFindItemsForm>()},
        {MainWindow::ItemConvertor, make<TItemConvertorForm>()},
        {MainWindow::Log, make<TLOGForm>()},
        {MainWindow::Ranking, make<TRankingForm>()},
        {MainWindow::Join, make<TJoinForm>()},
        {MainWindow::GM, make<TGMForm>()},
        {MainWindow::CatalogueTable, make<TDBForm>()},
    };
    const auto it = windows.find(window);
    return it == windows.end() ? ModalOpener::Factory() : it->second;
}
