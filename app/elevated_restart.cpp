#include "app/elevated_restart.h"

#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/path_text.h"

namespace quillmark {

namespace {
constexpr wchar_t kTabSwitch[] = L"/tab:";
}  // namespace

bool RestartElevated(const Platform& platform, const std::wstring& programPath, int tabIndex) {
    ShellExecuteInfoW info;
    // Owned by the main window, so the consent prompt comes up in front of it.
    info.owner = ShellOwner::MainWindow;
    info.verb = L"runas";
    info.file = programPath;
    info.parameters = kTabSwitch + std::to_wstring(tabIndex);
    info.show = kSwShowNormal;
    return !programPath.empty() && platform.shell.ExecuteExW(info);
}

std::optional<int> StartTabFromCommandLine(const std::wstring& commandLine) {
    const std::wstring argument = Trim(commandLine);
    if (argument == std::wstring(kTabSwitch) + L"0") return 0;
    if (argument == std::wstring(kTabSwitch) + L"1") return 1;
    return std::nullopt;
}

}  // namespace quillmark
