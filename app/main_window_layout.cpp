#include "app/main_window_layout.h"

#include <cwchar>

#include "app/application_title.h"
#include "app/main_view.h"
#include "app/tfrm_run.h"
#include "app/win32/control_ids.h"
#include "resources/resource_ids.h"

namespace quillmark {

namespace {

namespace ids = control_ids;
using K = ComponentKind;
using A = Align;
constexpr std::uint32_t kNone = kInheritColour;
constexpr std::span<const wchar_t* const> kNoItems{};

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
// name                   kind           parent        caption                                  left top width height  align      id                         flags                               colour              handler name                 handler                         items              tab  resource
{L"pnlTop",               K::Panel,      nullptr,      L"",                                     {0,   0,  1060, 42},  A::Top,    ids::kPnlTop,              0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"Image5",               K::Image,      L"pnlTop",    L"",                                     {7,   7,  1050, 31},  A::None,   ids::kImage5,              kTransparent,                       kNone,              nullptr,                     nullptr,                        kNoItems,          -1, QM_IDB_IMAGE5},
{L"Button1",              K::FlatButton, L"pnlTop",    L"&Refresh",                             {5,   4,  85,   32},  A::None,   ids::kButton1,             0,                                  kNone,              L"Button1Click",             &TfrmRun::Button1Click,         kNoItems,          -1, 0},
{L"Button6",              K::FlatButton, L"pnlTop",    L"&Add program...",                      {91,  4,  95,   32},  A::None,   ids::kButton6,             0,                                  kNone,              L"SpeedButton2Click",        &TfrmRun::SpeedButton2Click,    kNoItems,          -1, 0},
{L"CbAddProgramsList",    K::Combo,      L"pnlTop",    L"Select a folder to add program...",    {207, 10, 194,  23},  A::None,   ids::kCbAddProgramsList,   0,                                  kNone,              L"CbAddProgramsListChange",  &TfrmRun::CbAddProgramsListChange, kAddProgramsItems, -1, 0},
{L"Button10",             K::FlatButton, L"pnlTop",    L"Add &folder...",                       {408, 5,  89,   32},  A::None,   ids::kButton10,            0,                                  kNone,              L"Button10Click",            &TfrmRun::Button10Click,        kNoItems,          -1, 0},
{L"BtnAddWebpage",        K::FlatButton, L"pnlTop",    L"Add web page",                         {498, 5,  94,   32},  A::None,   ids::kBtnAddWebpage,       0,                                  kNone,              L"BtnAddWebpageClick",       &TfrmRun::BtnAddWebpageClick,   kNoItems,          -1, 0},
{L"BtnSSDeletePCStart",   K::FlatButton, L"pnlTop",    L"&Delete this entry",                   {594, 5,  105,  32},  A::None,   ids::kBtnSSDeletePCStart,  0,                                  kNone,              L"cmdDeleteClick",           &TfrmRun::cmdDeleteClick,       kNoItems,          -1, 0},
{L"BtnFileProperties",    K::FlatButton, L"pnlTop",    L"Show Properties",                      {702, 5,  109,  32},  A::None,   ids::kBtnFileProperties,   0,                                  kNone,              L"BtnFilePropertiesClick",   &TfrmRun::BtnFilePropertiesClick, kNoItems,          -1, 0},
{L"Button7",              K::FlatButton, L"pnlTop",    L"&Upgrade Now!",                        {814, 5,  97,   32},  A::None,   ids::kButton7,             0,                                  kNone,              L"SpeedButton4Click",        &TfrmRun::SpeedButton4Click,    kNoItems,          -1, 0},
{L"SpeedButton8",         K::FlatButton, L"pnlTop",    L"&Exit",                                {914, 5,  93,   32},  A::None,   ids::kSpeedButton8,        0,                                  kNone,              L"SpeedButton8Click",        &TfrmRun::SpeedButton8Click,    kNoItems,          -1, 0},

{L"PnlEdit",              K::Panel,      nullptr,      L"",                                     {0,   42, 1060, 151}, A::Top,    ids::kPnlEdit,             kHidden | kRaisedInnerBevel | kSingleBorder, kNone,     nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"LbSSPCStartName",      K::Label,      L"PnlEdit",   L"Name",                                 {29,  16, 31,   15},  A::None,   ids::kLbSSPCStartName,     kRightAligned | kBold,              Rgb(0, 0, 0),       nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"TxtStartName",         K::Edit,       L"PnlEdit",   L"",                                     {73,  13, 374,  23},  A::None,   ids::kTxtStartName,        0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"LbSSPCStartPath",      K::Label,      L"PnlEdit",   L"Path",                                 {38,  60, 25,   15},  A::None,   ids::kLbSSPCStartPath,     kRightAligned | kBold,              Rgb(0, 0, 0),       nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"TxtStartPath",         K::Edit,       L"PnlEdit",   L"",                                     {73,  59, 374,  23},  A::None,   ids::kTxtStartPath,        kHighlightBackground,               kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"Label1",               K::Label,      L"PnlEdit",   L"You can change the Name or Path before click Confirm to add",
                                                                                                {37,  105, 333, 15},  A::None,   ids::kLabel1,              kBold | kWordWrap,                  Rgb(255, 0, 0),     nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"Image2",               K::Image,      L"PnlEdit",   L"",                                     {415, 100, 202, 31},  A::None,   ids::kImage2,              kTransparent,                       kNone,              nullptr,                     nullptr,                        kNoItems,          -1, QM_IDB_IMAGE2},
{L"BtnSSAddPCStart",      K::FlatButton, L"PnlEdit",   L"Confir&m to add",                      {409, 97, 105,  35},  A::None,   ids::kBtnSSAddPCStart,     0,                                  kNone,              L"cmdAddClick",              &TfrmRun::cmdAddClick,          kNoItems,          -1, 0},
{L"btnCancel",            K::FlatButton, L"PnlEdit",   L"&Cancel",                              {520, 96, 96,   34},  A::None,   ids::kBtnCancel,           0,                                  kNone,              L"btnCancelClick",           &TfrmRun::btnCancelClick,       kNoItems,          -1, 0},
{L"Label2",               K::Label,      L"PnlEdit",   L"Location",                             {480, 40, 47,   15},  A::None,   ids::kLabel2,              kHidden | kBold,                    kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"ComboBox1",            K::Combo,      L"PnlEdit",   L"",                                     {536, 40, 377,  23},  A::None,   ids::kComboBox1,           kHidden,                            kNone,              nullptr,                     nullptr,                        kComboBox1Items,   -1, 0},

{L"PageControl1",         K::PageControl, nullptr,     L"",                                     {0,   42, 1060, 498}, A::Client, ids::kPageControl1,        0,                                  kNone,              L"PageControl1Change",       &TfrmRun::PageControl1Change,   kNoItems,          -1, 0},
{L"TabSheet3",            K::TabSheet,   L"PageControl1", L"   Current User's startup items   ",  {0,   0,  0,    0},   A::Client, ids::kTabSheet3,           0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,           0, 0},
{L"LvCurrentUser",        K::ListView,   L"TabSheet3", L"",                                     {0,   0,  0,    0},   A::Client, ids::kLvCurrentUser,       0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"ScrollBox1",           K::ScrollBox,  L"TabSheet3", L"",                                     {288, 248, 185, 41},  A::None,   ids::kScrollBox1,          kHidden,                            kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"TabSheet1",            K::TabSheet,   L"PageControl1", L"    All users's startup items ",   {0,   0,  0,    0},   A::Client, ids::kTabSheet1,           0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,           1, 0},
{L"LVLocalMachine",       K::ListView,   L"TabSheet1", L"",                                     {0,   0,  0,    0},   A::Client, ids::kLVLocalMachine,      0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"TabSheet2",            K::TabSheet,   L"PageControl1", L"Search Result",                     {0,   0,  0,    0},   A::Client, ids::kTabSheet2,           0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"TntListView1",         K::ListView,   L"TabSheet2", L"",                                     {0,   0,  0,    0},   A::Client, ids::kTntListView1,        0,                                  kNone,              nullptr,                     nullptr,                        kNoItems,          -1, 0},

{L"Panel2",               K::Panel,      nullptr,      L"",                                     {0,   540, 1060, 52}, A::Bottom, ids::kPanel2,              0,                                  Rgb(249, 255, 255), nullptr,                     nullptr,                        kNoItems,          -1, 0},
{L"Image1",               K::Image,      L"Panel2",    L"",                                     {7,   7,  1050, 31},  A::None,   ids::kImage1,              kTransparent,                       kNone,              nullptr,                     nullptr,                        kNoItems,          -1, QM_IDB_IMAGE1},
{L"BtnSchTool",           K::FlatButton, L"Panel2",    L"Scheduled Tasks",                      {6,   4,  110,  32},  A::None,   ids::kBtnSchTool,          0,                                  kNone,              L"BtnSchToolClick",          &TfrmRun::BtnSchToolClick,      kNoItems,          -1, 0},
{L"BtnService",           K::FlatButton, L"Panel2",    L"Local Services",                       {118, 5,  111,  31},  A::None,   ids::kBtnService,          0,                                  kNone,              L"BtnServiceClick",          &TfrmRun::BtnServiceClick,      kNoItems,          -1, 0},
{L"SpeedButton11",        K::FlatButton, L"Panel2",    L"Add or Remove &Programs",              {231, 5,  154,  32},  A::None,   ids::kSpeedButton11,       0,                                  kNone,              L"SpeedButton5Click",        &TfrmRun::SpeedButton5Click,    kNoItems,          -1, 0},
{L"CbQuickLaunchFolder",  K::Combo,      L"Panel2",    L"Select a folder to quick launch",      {390, 13, 198,  23},  A::None,   ids::kCbQuickLaunchFolder, 0,                                  kNone,              L"CbQuickLaunchFolderChange", &TfrmRun::CbQuickLaunchFolderChange, kQuickLaunchItems, -1, 0},
{L"SpeedButton12",        K::FlatButton, L"Panel2",    L"&Send to Desktop",                     {588, 7,  121,  29},  A::None,   ids::kSpeedButton12,       0,                                  kNone,              L"SpeedButton6Click",        &TfrmRun::SpeedButton6Click,    kNoItems,          -1, 0},
{L"Button5",              K::FlatButton, L"Panel2",    L"&Help",                                {708, 7,  86,   29},  A::None,   ids::kButton5,             0,                                  kNone,              L"Button5Click",             &TfrmRun::Button5Click,         kNoItems,          -1, 0},
{L"website",              K::Label,      L"Panel2",    L"Brindle Software",                     {817, 16, 94,   15},  A::None,   ids::kWebsite,             kHidden | kUnderlined | kTransparent, Rgb(0, 0, 255),   L"websiteClick",             &TfrmRun::websiteClick,         kNoItems,          -1, 0},
{L"BtnSSPCRun",           K::FlatButton, L"Panel2",    L"Run",                                  {906, 73, 87,   25},  A::None,   ids::kBtnSSPCRun,          kHidden,                            kNone,              L"BtnSSPCRunClick",          &TfrmRun::BtnSSPCRunClick,      kNoItems,          -1, 0},
{L"BtnTest",              K::PushButton, L"Panel2",    L"test",                                 {893, 104, 105, 25},  A::None,   ids::kBtnTest,             kHidden,                            kNone,              L"BtnTestClick",             &TfrmRun::BtnTestClick,         kNoItems,          -1, 0},
};

const MenuItemLayout kMenuItems[] = {
// menu            name                     caption                   id                              hidden  handler name                 handler
{L"PopupMenu1",    L"Opencontainingfolder1", L"Open containing folder", ids::kOpencontainingfolder1,  false,  L"Opencontainingfolder1Click", &TfrmRun::Opencontainingfolder1Click},
{L"PopupMenu1",    L"Open1",                 L"Open",                   ids::kOpen1,                  false,  L"LvCurrentUserDblClick",    &TfrmRun::LvCurrentUserDblClick},
{L"PopupMenu1",    L"FileProperties1",       L"Show Properties",        ids::kFileProperties1,        false,  L"BtnFilePropertiesClick",   &TfrmRun::BtnFilePropertiesClick},
{L"PopupMenu1",    L"N2",                    L"-",                      ids::kN2,                     false,  nullptr,                     nullptr},
{L"PopupMenu1",    L"Remove1",               L"&Delete this entry",     ids::kRemove1,                false,  L"cmdDeleteClick",           &TfrmRun::cmdDeleteClick},
{L"PopupMenu2",    L"About1",                L"About Quillmark",        ids::kAbout1,                 false,  L"About1Click",              &TfrmRun::About1Click},
{L"PopupMenu2",    L"HomePage1",             L"Home Page",              ids::kHomePage1,              true,   L"HomePage1Click",           &TfrmRun::HomePage1Click},
{L"PopupMenu2",    L"HelpDocumentation1",    L"Quillmark Help",         ids::kHelpDocumentation1,     false,  L"HelpDocumentation1Click",  &TfrmRun::HelpDocumentation1Click},
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

}  // namespace quillmark
