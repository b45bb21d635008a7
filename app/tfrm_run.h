#pragma once
#include <functional>
#include <optional>
#include <string>

#include "app/add_panel.h"
#include "app/commands.h"
#include "app/desktop_copy_offer.h"
#include "app/failure_report.h"
#include "app/help_menu.h"
#include "app/launchers.h"
#include "app/main_view.h"
#include "app/row_commands.h"
#include "app/settings_slot.h"
#include "app/startup_lists.h"
#include "platform/platform.h"
#include "platform/token_account.h"

namespace quillmark {

class PrivateProfile;
class ImageList;

// What the main window works with besides its view.
struct MainWindowServices {
    Platform platform;  // a bundle of references: held by value, so no temporary is kept
    PrivateProfile& profile;
    ImageList& images;  // shared by the two lists
    // True when the process is a 32-bit one on 64-bit Windows.
    std::function<bool()> isWow64;
    // True when the process runs with an administrator's full rights.
    std::function<bool()> isElevated;
    // This program's own file, which a restart as administrator starts again.
    std::wstring programPath;
    // The tab to open on instead of the stored one (a restart as administrator).
    std::optional<int> startTab;
    LoadThreads loadThreads = {};
    // The user of this process's token.
    TokenAccount account = {};
    // The user who asked for this instance by a restart as administrator
    // (their SID string); empty for a normal start.
    std::wstring askingUserSid = {};
};

// The main window's behaviour, independent of any widget: the window's own
// events and the state its features share (the lists, the selected tab, the
// settings). Each command goes to the feature that carries it out (Execute);
// each handler's guard is stated where it is defined.
class TfrmRun {
public:
    TfrmRun(MainView& view, MainWindowServices services);

    void FormCreate();
    // Never refuses: `canClose` is left as it is.
    void FormCloseQuery(bool& canClose);
    void FormResize();
    // The start-up timer's one tick: the first load.
    void LoadOnStart();
    // Paints one tab while the tabs are owner-drawn.
    void DrawTab(int tabIndex, TabCanvas& canvas);

    // A button, a combo's choice, a clickable label or a menu item.
    void Execute(Command command);
    // A double click on a row of a list, and a key pressed on a list: they
    // pass the same refusals as the buttons.
    void ListDoubleClicked();
    void ListKeyDown(int key);
    // A key pressed in one of the add panel's fields (Enter confirms the add).
    void FieldKeyDown(Role field, int key);
    // Whether a menu item's command would do anything now; asked as the menu opens.
    bool IsEnabled(Command command);
    void Refresh();
    // The user picked another tab.
    void SwitchTab();
    // Ctrl+Tab and its kin: the neighbouring tab, loaded as a click on it is.
    void SelectNeighbourTab(bool backwards);
    void Exit();

    StartupLists& Lists() noexcept { return lists_; }
    RowCommands& Rows() noexcept { return rowCommands_; }
    AddPanel& Panel() noexcept { return addPanel_; }
    HelpMenu& Help() noexcept { return helpMenu_; }
    Launchers& Tools() noexcept { return launchers_; }
    DesktopCopyOffer& DesktopCopy() noexcept { return desktopCopy_; }
    // Null until FormCreate has opened it.
    SettingsFile* Settings() noexcept { return settings_.Get(); }
    // True when this instance runs elevated under another account than the
    // user who asked for the restart: it shows and changes only the all
    // users' entries and keeps its settings in memory.
    bool ForOtherAccount() const;
    // Why no web page opens from this instance; empty when they do.
    std::wstring WebPageRefusal() const;

private:
    void ApplyColumnRule();
    // The selected tab's list; the current user's stays empty for another account.
    // Whether the selected tab's rows are loaded: another account's instance
    // shows its current user's tab empty.
    bool LoadsSelectedTab() const;
    void LoadSelectedTab();
    // Tells why, when an instance for another account refuses the command.
    bool RefusedForOtherAccount(Command command);

    MainView& view_;
    MainWindowServices services_;
    SettingsSlot settings_;
    StartupLists lists_;
    FailureReport failureReport_;
    RowCommands rowCommands_;
    AddPanel addPanel_;
    Launchers launchers_;
    HelpMenu helpMenu_;
    DesktopCopyOffer desktopCopy_;
};

}  // namespace quillmark
