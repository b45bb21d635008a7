#include "inventory/windows_start_man.h"

#include "inventory/startup_scope.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/path_text.h"
#include "platform/trace.h"

namespace quillmark {

TWindowsStartMan::TWindowsStartMan(const Platform& platform) : platform_(platform), shellFolders_(platform.registry) {}

std::wstring TWindowsStartMan::ShellFolder(RegistryRoot root, const wchar_t* valueName) noexcept {
    try {
        shellFolders_.SetRoot(root);
        std::wstring folder;
        if (shellFolders_.OpenKey(kShellFoldersKey)) folder = shellFolders_.ReadString(valueName);
        shellFolders_.CloseKey();
        return folder;
    } catch (...) {
        TraceCaughtFailure();
        shellFolders_.CloseKey();
        return {};
    }
}

// The shell's known folder is the documented source and follows folder
// redirection. The "Shell Folders" key says "!Do not use this registry key":
// it can be stale, and a 32-bit process reads the machine's copy from the
// 32-bit view. It serves only when the shell cannot name the folder.
std::wstring TWindowsStartMan::StartupFolder(KnownFolder folder, RegistryRoot root, const wchar_t* valueName) noexcept {
    try {
        std::wstring path;
        if (Succeeded(platform_.shell.GetKnownFolderPath(folder, path)) && !path.empty()) return path;
    } catch (...) {
        TraceCaughtFailure();
    }
    return ShellFolder(root, valueName);
}

// Returned as read: a trip through the ANSI code page would turn characters
// it lacks into "?" and the folder could then never be listed.
std::wstring TWindowsStartMan::CommonStartupFolder() noexcept {
    return StartupFolder(KnownFolder::CommonStartup, RegistryRoot::LocalMachine, L"Common Startup");
}

std::wstring TWindowsStartMan::UserStartupFolder() noexcept {
    return StartupFolder(KnownFolder::Startup, RegistryRoot::CurrentUser, L"StartUp");
}

void TWindowsStartMan::ListFolderFiles(const std::wstring& folder, const std::wstring& filter,
                                       std::vector<std::wstring>& list) noexcept {
    try {
        const std::wstring trimmedFilter = Trim(filter);
        const bool filtering = !trimmedFilter.empty() && trimmedFilter != L".*";
        const std::wstring wanted = filtering ? platform_.codePage.Upper(filter) : std::wstring();
        // Subfolders (".." among them) are set aside and never descended into.
        std::vector<std::wstring> subfolders;
        for (const FoundEntry& entry : platform_.files.FindEntries(folder + L"*.*")) {
            if (entry.name == L".") continue;
            if (entry.attributes & kAttrDirectory) {
                subfolders.push_back(entry.name);
                continue;
            }
            if (entry.attributes & kAttrHidden) continue;
            if (filtering && platform_.codePage.Upper(entry.name).find(wanted) == std::wstring::npos) continue;
            list.push_back(folder + entry.name);
        }
    } catch (...) {
        TraceCaughtFailure();
        // A listing cut short keeps what it had found.
    }
}

// An unknown Startup folder lists nothing: with an empty path the pattern
// would become "\*.*", the root of the current drive.
void TWindowsStartMan::ListCommonStartup(std::vector<std::wstring>& list) noexcept {
    const std::wstring folder = CommonStartupFolder();
    if (!folder.empty()) ListFolderFiles(folder + L"\\", L"", list);
}

void TWindowsStartMan::ListUserStartup(std::vector<std::wstring>& list) noexcept {
    const std::wstring folder = UserStartupFolder();
    if (!folder.empty()) ListFolderFiles(folder + L"\\", L"", list);
}

}  // namespace quillmark
