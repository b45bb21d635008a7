#pragma once

// Child-window identifiers of the main window's controls. The UI tests find
// controls by these, across the process boundary.
namespace quillmark::control_ids {

inline constexpr int kPnlTop = 100;
inline constexpr int kPnlEdit = 101;
inline constexpr int kPageControl1 = 102;
inline constexpr int kPanel2 = 103;

inline constexpr int kLvCurrentUser = 200;
inline constexpr int kLVLocalMachine = 201;
inline constexpr int kTntListView1 = 202;

inline constexpr int kButton1 = 300;  // "&Refresh"
inline constexpr int kButton6 = 301;  // "&Add program..."
inline constexpr int kCbAddProgramsList = 302;
inline constexpr int kButton10 = 303;  // "Add &folder..."
inline constexpr int kBtnAddWebpage = 304;
inline constexpr int kBtnSSDeletePCStart = 305;
inline constexpr int kBtnFileProperties = 306;
inline constexpr int kButton7 = 307;  // "&Upgrade Now!"
inline constexpr int kSpeedButton8 = 308;  // "&Exit"

inline constexpr int kTxtStartName = 400;
inline constexpr int kTxtStartPath = 401;
inline constexpr int kBtnSSAddPCStart = 402;
inline constexpr int kBtnCancel = 403;

inline constexpr int kBtnSchTool = 500;
inline constexpr int kBtnService = 501;
inline constexpr int kSpeedButton11 = 502;
inline constexpr int kCbQuickLaunchFolder = 503;
inline constexpr int kSpeedButton12 = 504;
inline constexpr int kButton5 = 505;  // "&Help"

// Components nobody clicks: found by the widget layer and by screenshots' readers.
inline constexpr int kTabSheet3 = 600;
inline constexpr int kTabSheet1 = 601;
inline constexpr int kTabSheet2 = 602;
inline constexpr int kScrollBox1 = 603;
inline constexpr int kImage5 = 604;
inline constexpr int kImage1 = 605;
inline constexpr int kImage2 = 606;
inline constexpr int kLbSSPCStartName = 607;
inline constexpr int kLbSSPCStartPath = 608;
inline constexpr int kLabel1 = 609;
inline constexpr int kLabel2 = 610;
inline constexpr int kComboBox1 = 611;
inline constexpr int kWebsite = 612;
inline constexpr int kBtnSSPCRun = 613;
inline constexpr int kBtnTest = 614;

// Command identifiers of the pop-up menus' items.
inline constexpr int kOpencontainingfolder1 = 700;
inline constexpr int kOpen1 = 701;
inline constexpr int kFileProperties1 = 702;
inline constexpr int kN2 = 703;
inline constexpr int kRemove1 = 704;
inline constexpr int kDisable1 = 705;
inline constexpr int kEnable1 = 706;
inline constexpr int kUndoRemoval1 = 707;
inline constexpr int kAbout1 = 710;
inline constexpr int kHomePage1 = 711;
inline constexpr int kHelpDocumentation1 = 712;

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
