#pragma once
#include <span>

#include "app/commands.h"
#include "app/other_account.h"
#include "app/window_keys.h"

namespace quillmark {

class TfrmRun;

// Everything the main window knows of one command, in one row.
struct CommandRow {
    Command command;
    // Carries the command out, with the guard its handler states; null only for Command::None.
    void (*run)(TfrmRun& window) = nullptr;
    // Whether its menu item is enabled now, asked as the menu opens; null: always.
    bool (*enabled)(TfrmRun& window) = nullptr;
    // What an instance elevated under another account does with it while the
    // current user's tab, or the all users' tab, is selected.
    OtherAccountRefusal otherAccountOnCurrentUserTab = OtherAccountRefusal::None;
    OtherAccountRefusal otherAccountOnAllUsersTab = OtherAccountRefusal::None;
    std::span<const CommandKey> keys = {};
};

// The row of `command`; every Command has exactly one, in the enum's order.
const CommandRow& RowOf(Command command) noexcept;
std::span<const CommandRow> CommandTable() noexcept;

}  // namespace quillmark
