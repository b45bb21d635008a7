#pragma once
#include "app/commands.h"

namespace quillmark {

// Why an instance that runs as administrator under another account than the
// user who asked for it refuses a command. Consenting with an administrator's
// password makes the new process that administrator: its current user's
// registry, Startup folder, documents and desktop are the administrator's,
// and what it starts through the shell runs with the administrator's rights.
enum class OtherAccountRefusal {
    None,
    // The command acts on the current user's scope, which is the administrator's here.
    CurrentUsersScope,
    // The command would start a program or open a web page as the administrator.
    StartsAsAdministrator,
};

// What such an instance does with `command` while tab `tabIndex` is selected
// (tab 1 is the all-users one; the current user's tab is every other).
OtherAccountRefusal RefusalForOtherAccount(Command command, int tabIndex) noexcept;

}  // namespace quillmark
