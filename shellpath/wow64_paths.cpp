#include "shellpath/wow64_paths.h"

#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/platform.h"
#include "shellpath/command_line.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// Subfolders of System32 that the file-system redirector leaves alone: a
// 32-bit process sees the 64-bit folder's own files there already.
constexpr const wchar_t* kUnredirected[] = {L"\\CATROOT",  L"\\CATROOT2", L"\\DRIVERSTORE",
                                            L"\\DRIVERS\\ETC", L"\\LOGFILES", L"\\SPOOL"};

// The 64-bit values of the variables that WOW64 points at the "(x86)" folders.
struct SixtyFourBitVariable {
    const wchar_t* name;  // upper-cased
    const wchar_t* sixtyFourBit;
    int csidl;
};
constexpr SixtyFourBitVariable kSixtyFourBitVariables[] = {
    {L"PROGRAMFILES", L"ProgramW6432", kCsidlProgramFiles},
    {L"COMMONPROGRAMFILES", L"CommonProgramW6432", kCsidlProgramFilesCommon},
};

// True when the folded path is `folder` or lies inside it.
bool IsInFolder(const std::wstring& foldedPath, const std::wstring& foldedFolder) {
    return foldedPath.compare(0, foldedFolder.size(), foldedFolder) == 0 &&
           (foldedPath.size() == foldedFolder.size() || foldedPath[foldedFolder.size()] == L'\\');
}

// System32 as this process names it, and the Sysnative alias beside it, both
// without a trailing backslash; empty when there is no such pair here.
struct SystemFolders {
    std::wstring system;
    std::wstring alias;
};

SystemFolders Wow64SystemFolders(const Platform& platform) {
    if (!platform.environment.RunningUnderWow64()) return {};
    std::wstring system = platform.environment.SystemFolder();
    while (!system.empty() && system.back() == L'\\') system.pop_back();
    const auto parent = system.find_last_of(L'\\');
    if (parent == std::wstring::npos) return {};
    return {system, system.substr(0, parent) + L"\\Sysnative"};
}

}  // namespace

std::wstring ReachablePath(const Platform& platform, const std::wstring& path) {
    const SystemFolders folders = Wow64SystemFolders(platform);
    if (folders.system.empty()) return path;
    const CodePage& codePage = platform.codePage;
    const std::wstring folded = codePage.Upper(path);
    const std::wstring system = codePage.Upper(folders.system);
    if (!IsInFolder(folded, system)) return path;
    for (const wchar_t* exempt : kUnredirected) {
        if (IsInFolder(folded, system + exempt)) return path;
    }
    return folders.alias + path.substr(folders.system.size());
}

std::wstring WindowsNamedPath(const Platform& platform, const std::wstring& path) {
    const SystemFolders folders = Wow64SystemFolders(platform);
    if (folders.alias.empty() || !IsInFolder(platform.codePage.Upper(path), platform.codePage.Upper(folders.alias)))
        return path;
    return folders.system + path.substr(folders.alias.size());
}

std::wstring EntryVariableName(const Platform& platform, const std::wstring& name) {
    if (!platform.environment.RunningUnderWow64()) return name;
    const std::wstring folded = platform.codePage.Upper(name);
    for (const SixtyFourBitVariable& variable : kSixtyFourBitVariables) {
        // Where the 64-bit twin is missing, the process's own value is all there is.
        if (folded == variable.name && !ReadEnvVar(platform, variable.sixtyFourBit).empty())
            return variable.sixtyFourBit;
    }
    return name;
}

std::optional<std::wstring> ExpandEntryVariables(const Platform& platform, const std::wstring& text) {
    std::wstring expanded;
    std::size_t done = 0;
    for (;;) {
        const auto open = text.find(L'%', done);
        if (open == std::wstring::npos) break;
        const auto close = text.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        const std::wstring name = text.substr(open + 1, close - open - 1);
        const std::wstring value = ReadEnvVar(platform, EntryVariableName(platform, name));
        if (value.empty()) return std::nullopt;
        expanded += text.substr(done, open - done) + value;
        done = close + 1;
    }
    return expanded + text.substr(done);
}

std::wstring SixtyFourBitProgramFolder(const Platform& platform, int csidl) {
    if (!platform.environment.RunningUnderWow64()) return {};
    for (const SixtyFourBitVariable& variable : kSixtyFourBitVariables) {
        if (variable.csidl == csidl) return ReadEnvVar(platform, variable.sixtyFourBit);
    }
    return {};
}

std::wstring PickerFolderPath(const Platform& platform, int csidl) {
    if (std::wstring folder = SixtyFourBitProgramFolder(platform, csidl); !folder.empty()) return folder;
    const std::wstring folder = SpecialFolderPath(platform, csidl);
    return csidl == kCsidlSystem ? ReachablePath(platform, folder) : folder;
}

}  // namespace quillmark
