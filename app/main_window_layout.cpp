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
{.name = L"pnlTop", .kind = K::Panel, .bounds = {0, 0, 1060, 42}, .align = A::Top, .id = ids::kPnlTop},
{.name = L"Image5", .kind = K::Image, .parent = L"pnlTop", .bounds = {7, 7, 1050, 31}, .id = ids::kImage5,
 .flags = kTransparent, .resource = QM_IDB_IMAGE5},
{.name = L"Button1", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"&Refresh", .bounds = {5, 4, 85, 32},
 .id = ids::kButton1, .command = Command::Refresh},
{.name = L"Button6", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"&Add program...",
 .bounds = {91, 4, 95, 32}, .id = ids::kButton6, .command = Command::AddProgram},
{.name = L"CbAddProgramsList", .kind = K::Combo, .parent = L"pnlTop", .caption = L"Select a folder to add program...",
 .bounds = {207, 10, 194, 23}, .id = ids::kCbAddProgramsList, .command = Command::AddProgramFromFolderList,
 .items = kAddProgramsItems},
{.name = L"Button10", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"Add &folder...",
 .bounds = {408, 5, 89, 32}, .id = ids::kButton10, .command = Command::AddFolder},
{.name = L"BtnAddWebpage", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"Add web page",
 .bounds = {498, 5, 94, 32}, .id = ids::kBtnAddWebpage, .command = Command::AddWebPage},
{.name = L"BtnSSDeletePCStart", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"&Delete this entry",
 .bounds = {594, 5, 105, 32}, .id = ids::kBtnSSDeletePCStart, .command = Command::DeleteSelected},
{.name = L"BtnFileProperties", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"Show Properties",
 .bounds = {702, 5, 109, 32}, .id = ids::kBtnFileProperties, .command = Command::ShowProperties},
{.name = L"Button7", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"&Upgrade Now!",
 .bounds = {814, 5, 97, 32}, .id = ids::kButton7, .command = Command::OpenUpgradePage},
{.name = L"SpeedButton8", .kind = K::FlatButton, .parent = L"pnlTop", .caption = L"&Exit", .bounds = {914, 5, 93, 32},
 .id = ids::kSpeedButton8, .command = Command::Exit},

// The add panel.
{.name = L"PnlEdit", .kind = K::Panel, .bounds = {0, 42, 1060, 151}, .align = A::Top, .id = ids::kPnlEdit,
 .flags = kHidden | kRaisedInnerBevel | kSingleBorder},
{.name = L"LbSSPCStartName", .kind = K::Label, .parent = L"PnlEdit", .caption = L"Name", .bounds = {29, 16, 31, 15},
 .id = ids::kLbSSPCStartName, .flags = kRightAligned | kBold, .colour = Rgb(0, 0, 0)},
{.name = L"TxtStartName", .kind = K::Edit, .parent = L"PnlEdit", .bounds = {73, 13, 374, 23},
 .id = ids::kTxtStartName},
{.name = L"LbSSPCStartPath", .kind = K::Label, .parent = L"PnlEdit", .caption = L"Path", .bounds = {38, 60, 25, 15},
 .id = ids::kLbSSPCStartPath, .flags = kRightAligned | kBold, .colour = Rgb(0, 0, 0)},
{.name = L"TxtStartPath", .kind = K::Edit, .parent = L"PnlEdit", .bounds = {73, 59, 374, 23},
 .id = ids::kTxtStartPath, .flags = kHighlightBackground},
{.name = L"Label1", .kind = K::Label, .parent = L"PnlEdit",
 .caption = L"You can change the Name or Path before click Confirm to add", .bounds = {37, 105, 333, 15},
 .id = ids::kLabel1, .flags = kBold | kWordWrap, .colour = Rgb(255, 0, 0)},
{.name = L"Image2", .kind = K::Image, .parent = L"PnlEdit", .bounds = {415, 100, 202, 31}, .id = ids::kImage2,
 .flags = kTransparent, .resource = QM_IDB_IMAGE2},
{.name = L"BtnSSAddPCStart", .kind = K::FlatButton, .parent = L"PnlEdit", .caption = L"Confir&m to add",
 .bounds = {409, 97, 105, 35}, .id = ids::kBtnSSAddPCStart, .command = Command::ConfirmAdd},
{.name = L"btnCancel", .kind = K::FlatButton, .parent = L"PnlEdit", .caption = L"&Cancel", .bounds = {520, 96, 96, 34},
 .id = ids::kBtnCancel, .command = Command::CancelAdd},
{.name = L"Label2", .kind = K::Label, .parent = L"PnlEdit", .caption = L"Location", .bounds = {480, 40, 47, 15},
 .id = ids::kLabel2, .flags = kHidden | kBold},
{.name = L"ComboBox1", .kind = K::Combo, .parent = L"PnlEdit", .bounds = {536, 40, 377, 23}, .id = ids::kComboBox1,
 .flags = kHidden, .items = kComboBox1Items},

// The tabs with the two scopes' lists.
{.name = L"PageControl1", .kind = K::PageControl, .bounds = {0, 42, 1060, 498}, .align = A::Client,
 .id = ids::kPageControl1, .command = Command::SwitchTab},
{.name = L"TabSheet3", .kind = K::TabSheet, .parent = L"PageControl1", .caption = L"   Current User's startup items   ",
 .align = A::Client, .id = ids::kTabSheet3, .tabIndex = 0},
{.name = L"LvCurrentUser", .kind = K::ListView, .parent = L"TabSheet3", .align = A::Client, .id = ids::kLvCurrentUser},
{.name = L"ScrollBox1", .kind = K::ScrollBox, .parent = L"TabSheet3", .bounds = {288, 248, 185, 41},
 .id = ids::kScrollBox1, .flags = kHidden},
{.name = L"TabSheet1", .kind = K::TabSheet, .parent = L"PageControl1", .caption = L"    All users's startup items ",
 .align = A::Client, .id = ids::kTabSheet1, .tabIndex = 1},
{.name = L"LVLocalMachine", .kind = K::ListView, .parent = L"TabSheet1", .align = A::Client,
 .id = ids::kLVLocalMachine},
{.name = L"TabSheet2", .kind = K::TabSheet, .parent = L"PageControl1", .caption = L"Search Result", .align = A::Client,
 .id = ids::kTabSheet2},
{.name = L"TntListView1", .kind = K::ListView, .parent = L"TabSheet2", .align = A::Client, .id = ids::kTntListView1},

// The bottom panel.
{.name = L"Panel2", .kind = K::Panel, .bounds = {0, 540, 1060, 52}, .align = A::Bottom, .id = ids::kPanel2,
 .colour = Rgb(249, 255, 255)},
{.name = L"Image1", .kind = K::Image, .parent = L"Panel2", .bounds = {7, 7, 1050, 31}, .id = ids::kImage1,
 .flags = kTransparent, .resource = QM_IDB_IMAGE1},
{.name = L"BtnSchTool", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"Scheduled Tasks",
 .bounds = {6, 4, 110, 32}, .id = ids::kBtnSchTool, .command = Command::OpenScheduledTasks},
{.name = L"BtnService", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"Local Services",
 .bounds = {118, 5, 111, 31}, .id = ids::kBtnService, .command = Command::OpenServices},
{.name = L"SpeedButton11", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"Add or Remove &Programs",
 .bounds = {231, 5, 154, 32}, .id = ids::kSpeedButton11, .command = Command::OpenAddRemovePrograms},
{.name = L"CbQuickLaunchFolder", .kind = K::Combo, .parent = L"Panel2", .caption = L"Select a folder to quick launch",
 .bounds = {390, 13, 198, 23}, .id = ids::kCbQuickLaunchFolder, .command = Command::OpenQuickLaunchFolder,
 .items = kQuickLaunchItems},
{.name = L"SpeedButton12", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"&Send to Desktop",
 .bounds = {588, 7, 121, 29}, .id = ids::kSpeedButton12, .command = Command::SendToDesktop},
{.name = L"Button5", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"&Help", .bounds = {708, 7, 86, 29},
 .id = ids::kButton5, .command = Command::ShowHelpMenu},
{.name = L"website", .kind = K::Label, .parent = L"Panel2", .caption = L"Brindle Software",
 .bounds = {817, 16, 94, 15}, .id = ids::kWebsite, .flags = kHidden | kUnderlined | kTransparent,
 .colour = Rgb(0, 0, 255), .command = Command::OpenHomePage},
{.name = L"BtnSSPCRun", .kind = K::FlatButton, .parent = L"Panel2", .caption = L"Run", .bounds = {906, 73, 87, 25},
 .id = ids::kBtnSSPCRun, .flags = kHidden, .command = Command::OpenSelected},
{.name = L"BtnTest", .kind = K::PushButton, .parent = L"Panel2", .caption = L"test", .bounds = {893, 104, 105, 25},
 .id = ids::kBtnTest, .flags = kHidden, .command = Command::OpenUserStartupFolder},
};

const MenuItemLayout kMenuItems[] = {
// The lists' menu.
{L"PopupMenu1", L"Opencontainingfolder1", L"Open containing folder", ids::kOpencontainingfolder1,
 Command::OpenContainingFolder},
{L"PopupMenu1", L"Open1", L"Open", ids::kOpen1, Command::OpenSelected},
{L"PopupMenu1", L"FileProperties1", L"Show Properties", ids::kFileProperties1, Command::ShowProperties},
{L"PopupMenu1", L"N2", L"-", ids::kN2},
{L"PopupMenu1", L"Disable1", L"Disa&ble", ids::kDisable1, Command::DisableSelected},
{L"PopupMenu1", L"Enable1", L"&Enable", ids::kEnable1, Command::EnableSelected},
{L"PopupMenu1", L"Remove1", L"&Delete this entry", ids::kRemove1, Command::DeleteSelected},
{L"PopupMenu1", L"UndoRemoval1", L"&Undo removal", ids::kUndoRemoval1, Command::UndoRemoval},
// The help menu. The hidden "Home Page" item has always led to the product
// page, like "Quillmark Help"; the vendor's home page is the website label's.
{L"PopupMenu2", L"About1", L"About Quillmark", ids::kAbout1, Command::ShowAbout},
{L"PopupMenu2", L"HomePage1", L"Home Page", ids::kHomePage1, Command::OpenHelpPage, true},
{L"PopupMenu2", L"HelpDocumentation1", L"Quillmark Help", ids::kHelpDocumentation1, Command::OpenHelpPage},
};
// clang-format on

constexpr OpenDialogLayout kOpenDialog1{L"All Files|*.*|*.exe|*.exe"};

}  // namespace

const FormLayout& MainFormLayout() noexcept { return kForm; }
std::span<const ComponentLayout> MainWindowComponents() noexcept { return kComponents; }
std::span<const MenuItemLayout> MainWindowMenuItems() noexcept { return kMenuItems; }
const OpenDialogLayout& OpenDialog1Layout() noexcept { return kOpenDialog1; }

const ComponentLayout* FindComponent(const wchar_t* name) noexcept {
    for (const ComponentLayout& component : kComponents) {
        if (std::wcscmp(component.name, name) == 0) return &component;
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
