#pragma once

// Child-window identifiers of the main window's controls. The UI tests find
// controls by these, across the process boundary.
namespace quillmark::control_ids {

inline constexpr int kToolbar = 100;
inline constexpr int kAddPanel = 101;
inline constexpr int kTabStrip = 102;
inline constexpr int kBottomPanel = 103;

inline constexpr int kCurrentUserList = 200;
inline constexpr int kAllUsersList = 201;

inline constexpr int kRefreshButton = 300;
inline constexpr int kAddProgramButton = 301;
inline constexpr int kAddProgramFolderList = 302;
inline constexpr int kAddFolderButton = 303;
inline constexpr int kAddWebPageButton = 304;
inline constexpr int kDeleteButton = 305;
inline constexpr int kPropertiesButton = 306;
inline constexpr int kUpgradeButton = 307;
inline constexpr int kExitButton = 308;

inline constexpr int kNameField = 400;
inline constexpr int kPathField = 401;
inline constexpr int kConfirmAddButton = 402;
inline constexpr int kCancelAddButton = 403;

inline constexpr int kScheduledTasksButton = 500;
inline constexpr int kServicesButton = 501;
inline constexpr int kAddRemoveProgramsButton = 502;
inline constexpr int kQuickLaunchList = 503;
inline constexpr int kSendToDesktopButton = 504;
inline constexpr int kHelpButton = 505;

// Components nobody clicks: found by the widget layer and by screenshots' readers.
inline constexpr int kCurrentUserPage = 600;
inline constexpr int kAllUsersPage = 601;
inline constexpr int kSearchResultPage = 602;
inline constexpr int kCurrentUserScrollBox = 603;
inline constexpr int kToolbarPicture = 604;
inline constexpr int kBottomPicture = 605;
inline constexpr int kAddPanelPicture = 606;
inline constexpr int kNameLabel = 607;
inline constexpr int kPathLabel = 608;
inline constexpr int kAddHint = 609;
inline constexpr int kLocationLabel = 610;
inline constexpr int kLocationList = 611;
inline constexpr int kWebsiteLink = 612;
inline constexpr int kRunButton = 613;
inline constexpr int kTestButton = 614;

// Command identifiers of the pop-up menus' items.
inline constexpr int kOpenFolderItem = 700;
inline constexpr int kOpenItem = 701;
inline constexpr int kPropertiesItem = 702;
inline constexpr int kRowMenuSeparator = 703;
inline constexpr int kDeleteItem = 704;
inline constexpr int kDisableItem = 705;
inline constexpr int kEnableItem = 706;
inline constexpr int kUndoItem = 707;
inline constexpr int kAboutItem = 710;
inline constexpr int kHomePageItem = 711;
inline constexpr int kHelpItem = 712;

// The About window's controls. "&Ok" is IDOK, so Enter presses it.
inline constexpr int kAboutButton1 = 1;
inline constexpr int kAboutLabel1 = 800;
inline constexpr int kAboutLabel2 = 801;
inline constexpr int kAboutLabel5 = 802;
inline constexpr int kAboutLabel3 = 803;
inline constexpr int kAboutLabel4 = 804;

}  // namespace quillmark::control_ids

// Window classes of the main window and the About window, so tests and the
// run script can find them.
#define QUILLMARK_MAIN_WINDOW_CLASS L"TfrmRun"
#define QUILLMARK_ABOUT_WINDOW_CLASS L"TFrmAbout"
