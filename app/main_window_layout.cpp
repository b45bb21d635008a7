#include "app/main_window_layout.h"

#include <cwchar>

#include "app/application_title.h"
#include "app/main_view.h"
#include "app/control_ids.h"
#include "resources/resource_ids.h"

namespace quillmark {

namespace {

namespace ids = control_ids;
using K = ComponentKind;
using A = Align;
using R = Role;

constexpr const wchar_t* kAddProgramsItems[] = {
    L"My Program Folder",   L"My Document Folder",   L"Public Document Folder",
    L"My Desktop Folder ",  L"Window System Folder", L"Public Program Folder",
};

constexpr const wchar_t* kQuickLaunchItems[] = {
    L"Launch My Document Folder", L"Launch My Computer Folder", L"Launch My Desktop Folder",
    L"Launch Program Files Folder",
};

// Never shown; kept because the edit panel has always carried it.
constexpr const wchar_t* kComboBox1Items[] = {
    L"Registry:  Local Machine... Run",
    L"Registry: Local Machine... Policies\\Explorer\\Run",
    L"Registry: Local Machine... RunOnce",
    L"Registry: Local Machine... RunOnceEx",
    L"Registry: Local Machine... RunServices",
    L"Registry: Local Machine... RunServicesOnce",
    L"Registry: Default User... Run ",
    L"Registry: Current User... Run",
    L"Registry: Current User... Policies\\Explorer\\Run",
    L"Registry: Current User... RunOnce",
    L"Registry: Current User... RunOnceEx",
    L"Registry: Current User... RunServices",
    L"Registry: Current User... RunServicesOnce",
    L"StartUp Folder: All User",
    L"StartUp Folder: Current User",
    L"",
    L"",
    L"",
};

constexpr FormLayout kForm{L"frmRun", kMainWindowCaption, 1076, 631, Rgb(245, 250, 254), L"Times New Roman", 13};

// clang-format off
const ComponentLayout kComponents[] = {
// The top toolbar.
{.role = R::Toolbar, .name = L"pnlTop", .kind = K::Panel, .bounds = {0, 0, 1060, 42}, .align = A::Top,
 .id = ids::kToolbar},
{.role = R::ToolbarPicture, .name = L"Image5", .kind = K::Image, .parent = R::Toolbar, .bounds = {7, 7, 1050, 31},
 .id = ids::kToolbarPicture, .flags = kTransparent, .resource = QM_IDB_IMAGE5},
{.role = R::RefreshButton, .name = L"Button1", .kind = K::FlatButton, .parent = R::Toolbar, .caption = L"&Refresh",
 .bounds = {5, 4, 85, 32}, .id = ids::kRefreshButton, .command = Command::Refresh},
{.role = R::AddProgramButton, .name = L"Button6", .kind = K::FlatButton, .parent = R::Toolbar,
 .caption = L"&Add program...", .bounds = {91, 4, 95, 32}, .id = ids::kAddProgramButton,
 .command = Command::AddProgram},
{.role = R::AddProgramFolderList, .name = L"CbAddProgramsList", .kind = K::Combo, .parent = R::Toolbar,
 .caption = L"Select a folder to add program...", .bounds = {207, 10, 194, 23}, .id = ids::kAddProgramFolderList,
 .command = Command::AddProgramFromFolderList, .items = kAddProgramsItems},
{.role = R::AddFolderButton, .name = L"Button10", .kind = K::FlatButton, .parent = R::Toolbar,
 .caption = L"Add &folder...", .bounds = {408, 5, 89, 32}, .id = ids::kAddFolderButton, .command = Command::AddFolder},
{.role = R::AddWebPageButton, .name = L"BtnAddWebpage", .kind = K::FlatButton, .parent = R::Toolbar,
 .caption = L"Add web page", .bounds = {498, 5, 94, 32}, .id = ids::kAddWebPageButton, .command = Command::AddWebPage},
{.role = R::DeleteButton, .name = L"BtnSSDeletePCStart", .kind = K::FlatButton, .parent = R::Toolbar,
 .caption = L"&Delete this entry", .bounds = {594, 5, 105, 32}, .id = ids::kDeleteButton,
 .command = Command::DeleteSelected},
{.role = R::PropertiesButton, .name = L"BtnFileProperties", .kind = K::FlatButton, .parent = R::Toolbar,
 .caption = L"Show Properties", .bounds = {702, 5, 109, 32}, .id = ids::kPropertiesButton,
 .command = Command::ShowProperties},
{.role = R::UpgradeButton, .name = L"Button7", .kind = K::FlatButton, .parent = R::Toolbar, .caption = L"&Upgrade Now!",
 .bounds = {814, 5, 97, 32}, .id = ids::kUpgradeButton, .command = Command::OpenUpgradePage},
{.role = R::ExitButton, .name = L"SpeedButton8", .kind = K::FlatButton, .parent = R::Toolbar, .caption = L"&Exit",
 .bounds = {914, 5, 93, 32}, .id = ids::kExitButton, .command = Command::Exit},

// The add panel.
{.role = R::AddPanel, .name = L"PnlEdit", .kind = K::Panel, .bounds = {0, 42, 1060, 151}, .align = A::Top,
 .id = ids::kAddPanel, .flags = kHidden | kRaisedInnerBevel | kSingleBorder},
{.role = R::NameLabel, .name = L"LbSSPCStartName", .kind = K::Label, .parent = R::AddPanel, .caption = L"Name",
 .bounds = {29, 16, 31, 15}, .id = ids::kNameLabel, .flags = kRightAligned | kBold, .colour = Rgb(0, 0, 0)},
{.role = R::NameField, .name = L"TxtStartName", .kind = K::Edit, .parent = R::AddPanel, .bounds = {73, 13, 374, 23},
 .id = ids::kNameField},
{.role = R::PathLabel, .name = L"LbSSPCStartPath", .kind = K::Label, .parent = R::AddPanel, .caption = L"Path",
 .bounds = {38, 60, 25, 15}, .id = ids::kPathLabel, .flags = kRightAligned | kBold, .colour = Rgb(0, 0, 0)},
{.role = R::PathField, .name = L"TxtStartPath", .kind = K::Edit, .parent = R::AddPanel, .bounds = {73, 59, 374, 23},
 .id = ids::kPathField, .flags = kHighlightBackground},
{.role = R::AddHint, .name = L"Label1", .kind = K::Label, .parent = R::AddPanel,
 .caption = L"You can change the Name or Path before click Confirm to add", .bounds = {37, 105, 333, 15},
 .id = ids::kAddHint, .flags = kBold | kWordWrap, .colour = Rgb(255, 0, 0)},
{.role = R::AddPanelPicture, .name = L"Image2", .kind = K::Image, .parent = R::AddPanel, .bounds = {415, 100, 202, 31},
 .id = ids::kAddPanelPicture, .flags = kTransparent, .resource = QM_IDB_IMAGE2},
{.role = R::ConfirmAddButton, .name = L"BtnSSAddPCStart", .kind = K::FlatButton, .parent = R::AddPanel,
 .caption = L"Confir&m to add", .bounds = {409, 97, 105, 35}, .id = ids::kConfirmAddButton,
 .command = Command::ConfirmAdd},
{.role = R::CancelAddButton, .name = L"btnCancel", .kind = K::FlatButton, .parent = R::AddPanel, .caption = L"&Cancel",
 .bounds = {520, 96, 96, 34}, .id = ids::kCancelAddButton, .command = Command::CancelAdd},
{.role = R::LocationLabel, .name = L"Label2", .kind = K::Label, .parent = R::AddPanel, .caption = L"Location",
 .bounds = {480, 40, 47, 15}, .id = ids::kLocationLabel, .flags = kHidden | kBold},
{.role = R::LocationList, .name = L"ComboBox1", .kind = K::Combo, .parent = R::AddPanel, .bounds = {536, 40, 377, 23},
 .id = ids::kLocationList, .flags = kHidden, .items = kComboBox1Items},

// The tabs with the two scopes' lists.
{.role = R::TabStrip, .name = L"PageControl1", .kind = K::PageControl, .bounds = {0, 42, 1060, 498}, .align = A::Client,
 .id = ids::kTabStrip, .command = Command::SwitchTab},
{.role = R::CurrentUserPage, .name = L"TabSheet3", .kind = K::TabSheet, .parent = R::TabStrip,
 .caption = L"   Current User's startup items   ", .align = A::Client, .id = ids::kCurrentUserPage, .tabIndex = 0},
{.role = R::CurrentUserList, .name = L"LvCurrentUser", .kind = K::ListView, .parent = R::CurrentUserPage,
 .align = A::Client, .id = ids::kCurrentUserList},
{.role = R::CurrentUserScrollBox, .name = L"ScrollBox1", .kind = K::ScrollBox, .parent = R::CurrentUserPage,
 .bounds = {288, 248, 185, 41}, .id = ids::kCurrentUserScrollBox, .flags = kHidden},
{.role = R::AllUsersPage, .name = L"TabSheet1", .kind = K::TabSheet, .parent = R::TabStrip,
 .caption = L"    All users's startup items ", .align = A::Client, .id = ids::kAllUsersPage, .tabIndex = 1},
{.role = R::AllUsersList, .name = L"LVLocalMachine", .kind = K::ListView, .parent = R::AllUsersPage, .align = A::Client,
 .id = ids::kAllUsersList},
{.role = R::SearchResultPage, .name = L"TabSheet2", .kind = K::TabSheet, .parent = R::TabStrip,
 .caption = L"Search Result", .align = A::Client, .id = ids::kSearchResultPage},

// The bottom panel.
{.role = R::BottomPanel, .name = L"Panel2", .kind = K::Panel, .bounds = {0, 540, 1060, 52}, .align = A::Bottom,
 .id = ids::kBottomPanel, .colour = Rgb(249, 255, 255)},
{.role = R::BottomPicture, .name = L"Image1", .kind = K::Image, .parent = R::BottomPanel, .bounds = {7, 7, 1050, 31},
 .id = ids::kBottomPicture, .flags = kTransparent, .resource = QM_IDB_IMAGE1},
{.role = R::ScheduledTasksButton, .name = L"BtnSchTool", .kind = K::FlatButton, .parent = R::BottomPanel,
 .caption = L"Scheduled Tasks", .bounds = {6, 4, 110, 32}, .id = ids::kScheduledTasksButton,
 .command = Command::OpenScheduledTasks},
{.role = R::ServicesButton, .name = L"BtnService", .kind = K::FlatButton, .parent = R::BottomPanel,
 .caption = L"Local Services", .bounds = {118, 5, 111, 31}, .id = ids::kServicesButton,
 .command = Command::OpenServices},
{.role = R::AddRemoveProgramsButton, .name = L"SpeedButton11", .kind = K::FlatButton, .parent = R::BottomPanel,
 .caption = L"Add or Remove &Programs", .bounds = {231, 5, 154, 32}, .id = ids::kAddRemoveProgramsButton,
 .command = Command::OpenAddRemovePrograms},
{.role = R::QuickLaunchList, .name = L"CbQuickLaunchFolder", .kind = K::Combo, .parent = R::BottomPanel,
 .caption = L"Select a folder to quick launch", .bounds = {390, 13, 198, 23}, .id = ids::kQuickLaunchList,
 .command = Command::OpenQuickLaunchFolder, .items = kQuickLaunchItems},
{.role = R::SendToDesktopButton, .name = L"SpeedButton12", .kind = K::FlatButton, .parent = R::BottomPanel,
 .caption = L"&Send to Desktop", .bounds = {588, 7, 121, 29}, .id = ids::kSendToDesktopButton,
 .command = Command::SendToDesktop},
{.role = R::HelpButton, .name = L"Button5", .kind = K::FlatButton, .parent = R::BottomPanel, .caption = L"&Help",
 .bounds = {708, 7, 86, 29}, .id = ids::kHelpButton, .command = Command::ShowHelpMenu},
{.role = R::WebsiteLink, .name = L"website", .kind = K::Label, .parent = R::BottomPanel, .caption = L"Brindle Software",
 .bounds = {817, 16, 94, 15}, .id = ids::kWebsiteLink, .flags = kHidden | kUnderlined | kTransparent,
 .colour = Rgb(0, 0, 255), .command = Command::OpenHomePage},
{.role = R::RunButton, .name = L"BtnSSPCRun", .kind = K::FlatButton, .parent = R::BottomPanel, .caption = L"Run",
 .bounds = {906, 73, 87, 25}, .id = ids::kRunButton, .flags = kHidden, .command = Command::OpenSelected},
{.role = R::TestButton, .name = L"BtnTest", .kind = K::PushButton, .parent = R::BottomPanel, .caption = L"test",
 .bounds = {893, 104, 105, 25}, .id = ids::kTestButton, .flags = kHidden, .command = Command::OpenUserStartupFolder},
};

const MenuItemLayout kMenuItems[] = {
// The lists' menu.
{R::RowMenu, L"Opencontainingfolder1", L"Open containing folder", ids::kOpenFolderItem,
 Command::OpenContainingFolder},
{R::RowMenu, L"Open1", L"Open", ids::kOpenItem, Command::OpenSelected},
{R::RowMenu, L"FileProperties1", L"Show Properties", ids::kPropertiesItem, Command::ShowProperties},
{R::RowMenu, L"N2", L"-", ids::kRowMenuSeparator},
{R::RowMenu, L"Disable1", L"Disa&ble", ids::kDisableItem, Command::DisableSelected},
{R::RowMenu, L"Enable1", L"&Enable", ids::kEnableItem, Command::EnableSelected},
{R::RowMenu, L"Remove1", L"&Delete this entry", ids::kDeleteItem, Command::DeleteSelected},
{R::RowMenu, L"UndoRemoval1", L"&Undo removal", ids::kUndoItem, Command::UndoRemoval},
// The help menu. The hidden "Home Page" item has always led to the product
// page, like "Quillmark Help"; the vendor's home page is the website label's.
{R::HelpMenu, L"About1", L"About Quillmark", ids::kAboutItem, Command::ShowAbout},
{R::HelpMenu, L"HomePage1", L"Home Page", ids::kHomePageItem, Command::OpenHelpPage, true},
{R::HelpMenu, L"HelpDocumentation1", L"Quillmark Help", ids::kHelpItem, Command::OpenHelpPage},
};
// clang-format on

constexpr OpenDialogLayout kOpenDialog1{L"All Files|*.*|*.exe|*.exe"};

}  // namespace

const FormLayout& MainFormLayout() noexcept { return kForm; }
std::span<const ComponentLayout> MainWindowComponents() noexcept { return kComponents; }
std::span<const MenuItemLayout> MainWindowMenuItems() noexcept { return kMenuItems; }
const OpenDialogLayout& FilePickerLayout() noexcept { return kOpenDialog1; }

const ComponentLayout* FindComponent(Role role) noexcept {
    for (const ComponentLayout& component : kComponents) {
        if (component.role == role) return &component;
    }
    return nullptr;
}

const wchar_t* TabCaption(int tabIndex) noexcept {
    for (const ComponentLayout& component : kComponents) {
        if (component.kind == ComponentKind::TabSheet && component.tabIndex == tabIndex && tabIndex >= 0) {
            return component.caption;
        }
    }
    return L"";
}

int TabCount() noexcept {
    int count = 0;
    for (const ComponentLayout& component : kComponents) {
        if (component.kind == ComponentKind::TabSheet && component.tabIndex >= 0) ++count;
    }
    return count;
}

}  // namespace quillmark
