#include <string>

#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

void FreeIdList(std::unique_ptr<ShellIdList>& list) noexcept { list.reset(); }

std::wstring SpecialFolderPath(const Platform& platform, int csidl) {
    std::wstring path;
    // S_FALSE (a folder that does not exist yet) still carries the path.
    if (!Succeeded(platform.shell.GetFolderPathW(csidl, path))) return {};
    return path;
}

std::wstring SystemProgramPath(const Platform& platform, const std::wstring& fileName) {
    std::wstring folder = SpecialFolderPath(platform, kCsidlSystem);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (folder.empty()) return {};
    return folder + L"\\" + fileName;
}

std::wstring DesktopPath(const Platform& platform) {
    auto idList = platform.shell.GetSpecialFolderLocation(kCsidlDesktop);
    if (!idList) return {};
    std::wstring path;
    if (!platform.shell.GetPathFromIdListW(*idList, path)) path.clear();
    FreeIdList(idList);
    return path;
}

std::wstring CommonShellFolderPath(const Platform& platform, const std::string& valueName) {
    // The shell's own answer, which follows folder redirection: "Shell
    // Folders" is only a cache of it, and a 32-bit process would read that
    // cache in the registry's 32-bit view.
    if (valueName != "Common Programs") return {};
    std::wstring path;
    if (!Succeeded(platform.shell.GetKnownFolderPath(KnownFolder::CommonPrograms, path))) return {};
    return path;
}

void OpenSpecialFolder(const Platform& platform, int csidl) {
    // Under WOW64 the shell's id list for Program Files is the "(x86)"
    // folder's; the 64-bit one is handed over by its path.
    if (const std::wstring folder = SixtyFourBitProgramFolder(platform, csidl); !folder.empty()) {
        platform.shell.ExecuteW(ShellOwner::None, L"open", folder, L"", L"", kSwShowNormal);
        return;
    }
    auto idList = platform.shell.GetSpecialFolderLocation(csidl);
    ShellExecuteInfo info;
    // DDEWAIT: return only after any DDE conversation the shell starts has ended.
    info.mask = kSeeMaskIdList | kSeeMaskFlagDdeWait;
    info.verb = "open";
    info.idList = idList.get();
    info.show = kSwShowNormal;
    if (idList) platform.shell.ExecuteExA(info);
    FreeIdList(idList);
}

void ShowFileProperties(const Platform& platform, const std::wstring& path) {
    // The wide call: a path the ANSI code page cannot spell still finds its
    // sheet. The sheet runs in this process, which reaches System32 as it can.
    ShellExecuteInfoW info;
    info.mask = kSeeMaskInvokeIdList;
    info.verb = L"properties";
    info.file = ReachablePath(platform, path);
    info.show = kSwHide;
    platform.shell.ExecuteExW(info);
}

}  // namespace quillmark
