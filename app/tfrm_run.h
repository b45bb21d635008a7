#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "inventory/icon_fetcher.h"
#include "inventory/inventory_context.h"
#include "inventory/load_scope.h"
#include "inventory/program_icons.h"
#include "inventory/startup_entry.h"
#include "platform/platform.h"

namespace quillmark {

class PrivateProfile;
class ImageList;
class RegistryAccessor;
class TWindowsStartMan;
class SettingsFile;
struct RemovalFailure;

// What the main window works with besides its view.
struct MainWindowServices {
    Platform platform;  // a bundle of references: held by value, so no temporary is kept
    PrivateProfile& profile;
    ImageList& images;  // `ImageList1`, shared by the three lists
    // True when the process is a 32-bit one on 64-bit Windows.
    std::function<bool()> isWow64;
    // True when the process runs with an administrator's full rights.
    std::function<bool()> isElevated;
    // This program's own file, which a restart as administrator starts again.
    std::wstring programPath;
    // The tab to open on instead of the stored one (a restart as administrator).
    std::optional<int> startTab;
    // Prepares a thread that works with the shell (Windows: its own COM
    // apartment): the icon worker and the threads that read shortcuts.
    ThreadSetup workerThreadSetup = {};
    // How many threads, the window's included, may read a load's shortcuts.
    unsigned shortcutThreads = 1;
    // How many threads may ask the shell for icons at once.
    unsigned iconThreads = 1;
};

// The main window's behaviour: its handlers, independent of any widget.
// Each handler's guard is stated where it is defined.
class TfrmRun {
public:
    TfrmRun(MainView& view, MainWindowServices services);
    ~TfrmRun();
    TfrmRun(const TfrmRun&) = delete;
    TfrmRun& operator=(const TfrmRun&) = delete;

    void FormCreate();
    void Timer1Timer();
    // The user picked another tab.
    void PageControl1Change();
    void Button1Click();
    // Paints one tab while the tabs are owner-drawn.
    void PageControl1DrawTab(int tabIndex, TabCanvas& canvas);
    void FormResize();
    // Never refuses: `canClose` is left as it is.
    void FormCloseQuery(bool& canClose);
    void SpeedButton8Click();
    // Icons the shell has handed over since the last call: into the image
    // list and onto their rows. The view asks for it on the window's thread
    // after PostIconsArrived.
    void IconsArrived();

    // Commands on the selected rows (app/row_commands.cpp).
    void LvCurrentUserDblClick();  // Open
    void BtnSSPCRunClick();
    void Opencontainingfolder1Click();
    void BtnFilePropertiesClick();
    void cmdDeleteClick();
    void LvCurrentUserClick();
    void LVLocalMachineClick();
    // `key` is the virtual-key code; the key is not consumed.
    void LvCurrentUserKeyDown(int key);

    // The add panel (app/add_panel.cpp).
    void SpeedButton2Click();  // "&Add program..."
    void CbAddProgramsListChange();
    void Button10Click();  // "Add &folder..."
    void BtnAddWebpageClick();
    void TxtStartNameEnter();
    void TxtStartPathEnter();
    void TxtStartPathExit();
    void TxtStartNameKeyDown(int key);
    void TxtStartPathKeyDown(int key);
    void cmdAddClick();  // "Confir&m to add"
    void btnCancelClick();
    // Launchers of system tools and folders (app/launchers.cpp).
    void SpeedButton5Click();
    void BtnServiceClick();
    void BtnSchToolClick();
    void CbQuickLaunchFolderChange();
    void BtnTestClick();
    // The help menu and the vendor's pages (app/help_menu.cpp).
    void Button5Click();
    void About1Click();
    void HelpDocumentation1Click();
    void HomePage1Click();
    void SpeedButton4Click();
    void websiteClick();
    void websiteMouseEnter();
    void websiteMouseLeave();
    // The copy of Quillmark in DataFolder with its desktop shortcut (app/desktop_copy.cpp).
    void SpeedButton6Click();
    void FirstExitOffer();

    // Reloads the selected tab's list, focuses it and selects its last row.
    // Carries no guard: the timer, Refresh, the tab change and the add and
    // delete commands each end with it inside their own. The rows are shown
    // at once; icons not yet known follow through IconsArrived, and icons
    // still outstanding from an earlier load are dropped.
    void LoadSelectedTab();
    // Programs of the last load whose icons have not arrived yet.
    std::size_t IconsAwaited() const noexcept { return iconsAwaited_; }

    // Null until FormCreate has made it.
    SettingsFile* Settings() noexcept { return settingsFile_.get(); }
    // Exact in memory; the settings file keeps what its code page can spell.
    const std::wstring& LastBrowsePath() const noexcept { return lastBrowsePath_; }
    void SetLastBrowsePath(std::wstring path) { lastBrowsePath_ = std::move(path); }
    bool AddMode() const noexcept { return addMode_; }
    void SetAddMode(bool addMode) noexcept { addMode_ = addMode; }
    const ScopeList& Rows(ListId list) const noexcept;
    ScopeList& Rows(ListId list) noexcept;
    // The inventory as FormCreate set it up; throws Error when it could not.
    InventoryContext Inventory();
    const std::wstring& DataFolderPath() const noexcept { return dataFolder_; }

private:
    void ApplyColumnRule();
    // Row commands' helpers (app/row_commands.cpp).
    void SyncSelection(ListId list);
    template <typename Step>
    void ForEachSelectedProgram(Step step);
    void CopyRowIntoFields(ListId list);
    void ReportRemovalFailures(const std::vector<RemovalFailure>& failures);
    // Add panel helpers (app/add_panel.cpp).
    void ChooseProgramFile();
    void WriteLastBrowsePath();
    void PaintFocusColours(FieldId entered);
    void RejectBlankField(FieldId field, const wchar_t* message);
    void FetchIcons();

    MainView& view_;
    MainWindowServices services_;
    std::unique_ptr<RegistryAccessor> registry_;
    std::unique_ptr<TWindowsStartMan> startMan_;
    std::unique_ptr<SettingsFile> settingsFile_;
    std::wstring dataFolder_;
    std::wstring lastBrowsePath_;
    bool addMode_ = false;
    // Each program's image in ImageList1, for as long as the window lives.
    ProgramIcons programIcons_;
    ScopeList lvCurrentUser_;
    ScopeList lvLocalMachine_;
    ScopeList tntListView1_;
    // The last load's programs still to be looked up, and the list they go to.
    std::vector<IconRequest> iconRequests_;
    std::size_t iconsAwaited_ = 0;
    ListId iconList_ = ListId::LvCurrentUser;
    // Last, so its worker is stopped before anything it hands icons to goes.
    IconFetcher iconFetcher_;
};

}  // namespace quillmark
