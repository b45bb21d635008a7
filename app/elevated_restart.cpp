#include "app/elevated_restart.h"

#include <algorithm>

#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/windows_error.h"
#include "shellpath/path_text.h"

namespace quillmark {

namespace {

constexpr wchar_t kTabSwitch[] = L"/tab:";
constexpr wchar_t kUserSwitch[] = L" /user:";

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "S-1-" and groups of digits joined by single dashes, as ConvertSidToStringSidW writes them.
bool IsSidString(const std::wstring& text) {
    if (text.rfind(L"S-1-", 0) != 0 || text.size() > 200) return false;
    const std::wstring groups = text.substr(4);
    if (groups.empty() || !IsDigit(groups.front()) || !IsDigit(groups.back())) return false;
    return std::all_of(groups.begin(), groups.end(), [](wchar_t c) { return IsDigit(c) || c == L'-'; }) &&
           groups.find(L"--") == std::wstring::npos;
}

}  // namespace

std::uint32_t RestartElevated(const Platform& platform, const std::wstring& programPath, int tabIndex,
                              const std::wstring& userSid) {
    if (programPath.empty()) return kErrorFileNotFound;
    ShellExecuteInfoW info;
    // Owned by the main window, so the consent prompt comes up in front of it.
    info.owner = ShellOwner::MainWindow;
    info.verb = L"runas";
    info.file = programPath;
    info.parameters = kTabSwitch + std::to_wstring(tabIndex);
    if (!userSid.empty()) info.parameters += kUserSwitch + userSid;
    info.show = kSwShowNormal;
    return platform.shell.ExecuteExW(info);
}

std::optional<RestartRequest> RestartFromCommandLine(const std::wstring& commandLine) {
    const std::wstring argument = Trim(commandLine);
    const std::wstring tabSwitch = kTabSwitch;
    if (argument.rfind(tabSwitch, 0) != 0 || argument.size() < tabSwitch.size() + 1) return std::nullopt;
    const wchar_t tab = argument[tabSwitch.size()];
    if (tab != L'0' && tab != L'1') return std::nullopt;
    const std::wstring rest = argument.substr(tabSwitch.size() + 1);
    if (rest.empty()) return RestartRequest{tab - L'0', {}};
    const std::wstring userSwitch = kUserSwitch;
    if (rest.rfind(userSwitch, 0) != 0 || !IsSidString(rest.substr(userSwitch.size()))) return std::nullopt;
    return RestartRequest{tab - L'0', rest.substr(userSwitch.size())};
}

std::optional<int> StartTabFromCommandLine(const std::wstring& commandLine) {
    const auto request = RestartFromCommandLine(commandLine);
    return request ? std::optional<int>(request->tab) : std::nullopt;
}

}  // namespace quillmark
