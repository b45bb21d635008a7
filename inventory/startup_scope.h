#pragma once
#include <string>

#include "platform/registry.h"

namespace quillmark {

enum class StartupScope { CurrentUser = 0, AllUsers = 1 };

// Both scopes' Run values live under the same key path; the leading
// backslash opens it from the root whatever was open before.
inline const wchar_t kRunKey[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Windows runs these values at the next logon and deletes them; a leading
// "!" (deleted only once the program has run) or "*" (run in safe mode
// too) on a name is Windows' own flag and part of the name.
inline const wchar_t kRunOnceKey[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// Set by Group Policy ("Run these programs at user logon"), or by programs
// that write there to look like it.
inline const wchar_t kPolicyRunKey[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
// The Startup folders are read from here, not computed from CSIDLs.
inline const wchar_t kShellFoldersKey[] = L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

inline RegistryRoot RootOf(StartupScope scope) noexcept {
    return scope == StartupScope::AllUsers ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser;
}
inline int TabIndexOf(StartupScope scope) noexcept { return static_cast<int>(scope); }

}  // namespace quillmark
