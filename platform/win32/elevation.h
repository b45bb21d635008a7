#pragma once
#include <string>

#include "platform/token_account.h"

namespace quillmark {

// True when the process token is elevated (an administrator's full rights);
// false for a standard user, a filtered administrator token, and when the
// token cannot be asked.
bool RunningElevated() noexcept;

// The user of this process's token. After "Run as administrator" with
// another account's password that is the administrator, not the user who
// started the program. The account's name is looked up only when asked
// for: on a domain member the lookup may wait for a domain controller.
TokenAccount ProcessTokenAccount(bool withAccountName);

// The full path of this program's own file; empty when it cannot be had.
std::wstring OwnProgramPath();

}  // namespace quillmark
