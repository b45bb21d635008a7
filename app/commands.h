#pragma once
#include <cstddef>

namespace quillmark {

// What a button, a combo's choice, a clickable label, a menu item or a key
// of the main window does. The layout table gives each control its command;
// the command table (app/command_table.cpp) says, per command, what carries
// it out, when it is enabled, what another account's instance does with it
// and its keys.
enum class Command {
    None,
    // The window itself (app/tfrm_run.cpp).
    Refresh,
    SwitchTab,
    NextTab,
    PreviousTab,
    Exit,
    // The selected rows (app/row_commands.cpp).
    OpenSelected,
    OpenContainingFolder,
    ShowProperties,
    DeleteSelected,
    DisableSelected,
    EnableSelected,
    UndoRemoval,
    SelectAllRows,
    // The add panel (app/add_panel.cpp).
    AddProgram,
    AddProgramFromFolderList,
    AddFolder,
    AddWebPage,
    ConfirmAdd,
    CancelAdd,
    // System tools and folders (app/launchers.cpp).
    OpenScheduledTasks,
    OpenServices,
    OpenAddRemovePrograms,
    OpenQuickLaunchFolder,
    OpenUserStartupFolder,
    // The help menu and the vendor's pages (app/help_menu.cpp).
    ShowHelpMenu,
    ShowAbout,
    OpenHelpPage,
    OpenUpgradePage,
    OpenHomePage,
    // The copy of Quillmark on the desktop (app/desktop_copy_offer.cpp).
    SendToDesktop,
    // Not a command: how many there are.
    Count,
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::Count);

}  // namespace quillmark
