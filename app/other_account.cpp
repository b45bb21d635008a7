#include "app/other_account.h"

namespace quillmark {

OtherAccountRefusal RefusalForOtherAccount(Command command, int tabIndex) noexcept {
    const bool allUsersTab = tabIndex == 1;
    switch (command) {
    case Command::OpenSelected:
        // A row's program would run elevated, as the administrator.
        return allUsersTab ? OtherAccountRefusal::StartsAsAdministrator : OtherAccountRefusal::CurrentUsersScope;
    case Command::OpenContainingFolder:
    case Command::ShowProperties:
    case Command::DeleteSelected:
    case Command::DisableSelected:
    case Command::EnableSelected:
    case Command::UndoRemoval:
    case Command::AddProgram:
    case Command::AddProgramFromFolderList:
    case Command::AddFolder:
    case Command::AddWebPage:
    case Command::ConfirmAdd:
        return allUsersTab ? OtherAccountRefusal::None : OtherAccountRefusal::CurrentUsersScope;
    // The administrator's own folders, documents and desktop.
    case Command::OpenQuickLaunchFolder:
    case Command::OpenUserStartupFolder:
    case Command::SendToDesktop: return OtherAccountRefusal::CurrentUsersScope;
    case Command::OpenHelpPage:
    case Command::OpenUpgradePage:
    case Command::OpenHomePage: return OtherAccountRefusal::StartsAsAdministrator;
    default: return OtherAccountRefusal::None;
    }
}

}  // namespace quillmark
