// The bottom panel's launchers of system tools and special folders. What the
// shell does with each request is not examined: a missing tool or folder
// leaves no trace in the program.
#include <iterator>
#include <string>

#include "app/guards.h"
#include "app/tfrm_run.h"
#include "inventory/windows_start_man.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

constexpr char kAddRemoveProgramsCommand[] = "RunDLL32.exe Shell32.dll,Control_RunDLL AppWiz.cpl,,0";
constexpr char kCommonPrograms[] = "Common Programs";
constexpr wchar_t kServicesShortcut[] = L"\\Administrative Tools\\Services.lnk";
// Windows XP's name of the tool; later versions call it Task Scheduler.
constexpr wchar_t kScheduledTasksShortcut[] = L"\\Accessories\\System Tools\\Scheduled Tasks.lnk";
constexpr wchar_t kTaskSchedulerShortcut[] = L"\\Accessories\\System Tools\\Task Scheduler.lnk";

// The folders of `CbQuickLaunchFolder`, by item index. The desktop item is
// the all-users desktop, not the user's own.
constexpr int kQuickLaunchFolders[] = {kCsidlPersonal, kCsidlDrives, kCsidlCommonDesktopDirectory,
                                       kCsidlProgramFiles};

// A shortcut of the all-users programs menu, owned by the application window.
// When the folder cannot be read the path starts with "\" and the shell
// simply finds nothing there.
void OpenCommonProgramsShortcut(const Platform& platform, const std::wstring& shortcut) {
    platform.shell.ExecuteW(ShellOwner::Application, L"open", shortcut, L"", L"", kSwShowNormal);
}

}  // namespace

// Guard: the default error box.
void TfrmRun::SpeedButton5Click() {
    WithDefaultErrorBox(view_, [&] { services_.platform.shell.WinExec(kAddRemoveProgramsCommand, kSwShowNormal); });
}

// Guard: the default error box.
void TfrmRun::BtnServiceClick() {
    WithDefaultErrorBox(view_, [&] {
        const Platform& platform = services_.platform;
        OpenCommonProgramsShortcut(platform, CommonShellFolderPath(platform, kCommonPrograms) + kServicesShortcut);
    });
}

// Guard: the default error box.
void TfrmRun::BtnSchToolClick() {
    WithDefaultErrorBox(view_, [&] {
        const Platform& platform = services_.platform;
        const std::wstring programs = CommonShellFolderPath(platform, kCommonPrograms);
        // Tested on the UTF-16 path, so a folder name outside the code page
        // does not hide an existing shortcut.
        const std::wstring scheduledTasks = programs + kScheduledTasksShortcut;
        const bool found = platform.files.FileExists(scheduledTasks);
        OpenCommonProgramsShortcut(platform, found ? scheduledTasks : programs + kTaskSchedulerShortcut);
    });
}

// Guard: the default error box. The combo keeps showing the chosen item.
void TfrmRun::CbQuickLaunchFolderChange() {
    WithDefaultErrorBox(view_, [&] {
        const int index = view_.ComboItemIndex(L"CbQuickLaunchFolder");
        if (index < 0 || index >= static_cast<int>(std::size(kQuickLaunchFolders))) return;
        OpenSpecialFolder(services_.platform, kQuickLaunchFolders[index]);
    });
}

// Guard: the default error box.
void TfrmRun::BtnTestClick() {
    WithDefaultErrorBox(view_, [&] {
        const std::wstring folder = Inventory().startMan.UserStartupFolder();
        services_.platform.shell.ExecuteW(ShellOwner::MainWindow, L"Open", folder, L"", L"", kSwShow);
    });
}

}  // namespace quillmark
