#pragma once
#include <string>

namespace quillmark {

// True when the process token is elevated (an administrator's full rights);
// false for a standard user, a filtered administrator token, and when the
// token cannot be asked.
bool RunningElevated() noexcept;

// The full path of this program's own file; empty when it cannot be had.
std::wstring OwnProgramPath();

}  // namespace quillmark
