#include "app/other_account.h"

#include "app/command_table.h"

namespace quillmark {

OtherAccountRefusal RefusalForOtherAccount(Command command, int tabIndex) noexcept {
    const CommandRow& row = RowOf(command);
    return tabIndex == 1 ? row.otherAccountOnAllUsersTab : row.otherAccountOnCurrentUserTab;
}

}  // namespace quillmark
