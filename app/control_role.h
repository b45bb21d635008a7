#pragma once
#include <cstddef>

namespace quillmark {

// What each control of the main window is for. The layout table gives every
// role its control (and, in a column of its own, the name the design gives
// it); code names a control only by its role.
enum class Role {
    // The main window itself: the parent of the top-level controls.
    Window,
    // The top toolbar.
    Toolbar,
    ToolbarPicture,
    RefreshButton,
    AddProgramButton,
    AddProgramFolderList,
    AddFolderButton,
    AddWebPageButton,
    DeleteButton,
    PropertiesButton,
    UpgradeButton,
    ExitButton,
    // The add panel.
    AddPanel,
    NameLabel,
    NameField,
    PathLabel,
    PathField,
    AddHint,
    AddPanelPicture,
    ConfirmAddButton,
    CancelAddButton,
    LocationLabel,
    LocationList,
    // The tabs with the two scopes' lists.
    TabStrip,
    CurrentUserPage,
    CurrentUserList,
    CurrentUserScrollBox,
    AllUsersPage,
    AllUsersList,
    SearchResultPage,
    // The bottom panel.
    BottomPanel,
    BottomPicture,
    ScheduledTasksButton,
    ServicesButton,
    AddRemoveProgramsButton,
    QuickLaunchList,
    SendToDesktopButton,
    HelpButton,
    WebsiteLink,
    RunButton,
    TestButton,
    // The pop-up menus.
    RowMenu,
    HelpMenu,
    Count,
};

inline constexpr std::size_t kRoleCount = static_cast<std::size_t>(Role::Count);

constexpr std::size_t RoleIndex(Role role) noexcept { return static_cast<std::size_t>(role); }

}  // namespace quillmark
