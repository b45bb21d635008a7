#include "app/launchers.h"

#include <iterator>
#include <string>

#include "app/guards.h"
#include "app/startup_lists.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

constexpr wchar_t kRunDll32[] = L"RunDLL32.exe";
constexpr char kAddRemoveProgramsArguments[] = "Shell32.dll,Control_RunDLL AppWiz.cpl,,0";
constexpr char kCommonPrograms[] = "Common Programs";
constexpr wchar_t kServicesShortcut[] = L"\\Administrative Tools\\Services.lnk";
// Windows XP's name of the tool; later versions call it Task Scheduler.
constexpr wchar_t kScheduledTasksShortcut[] = L"\\Accessories\\System Tools\\Scheduled Tasks.lnk";
constexpr wchar_t kTaskSchedulerShortcut[] = L"\\Accessories\\System Tools\\Task Scheduler.lnk";

// The folders of the quick-launch list, by item index. The desktop item is
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

Launchers::Launchers(MainView& view, StartupLists& lists, Platform platform)
    : view_(view), lists_(lists), platform_(platform) {}

void Launchers::OpenAddRemovePrograms() {
    WithDefaultErrorBox(view_, [&] {
        // By its full path, never by name: a RunDLL32.exe beside Quillmark (in
        // Downloads, say) or in the current folder would be started instead.
        const std::wstring program = SystemProgramPath(platform_, kRunDll32);
        if (program.empty()) return;
        const std::string command = "\"" + platform_.codePage.ToAnsi(program) + "\" " + kAddRemoveProgramsArguments;
        platform_.shell.WinExec(command, kSwShowNormal);
    });
}

void Launchers::OpenServices() {
    WithDefaultErrorBox(view_, [&] {
        OpenCommonProgramsShortcut(platform_, CommonShellFolderPath(platform_, kCommonPrograms) + kServicesShortcut);
    });
}

void Launchers::OpenScheduledTasks() {
    WithDefaultErrorBox(view_, [&] {
        const std::wstring programs = CommonShellFolderPath(platform_, kCommonPrograms);
        // Tested on the UTF-16 path, so a folder name outside the code page
        // does not hide an existing shortcut.
        const std::wstring scheduledTasks = programs + kScheduledTasksShortcut;
        const bool found = platform_.files.FileExists(scheduledTasks);
        OpenCommonProgramsShortcut(platform_, found ? scheduledTasks : programs + kTaskSchedulerShortcut);
    });
}

// The combo keeps showing the chosen item.
void Launchers::OpenQuickLaunchFolder() {
    WithDefaultErrorBox(view_, [&] {
        const int index = view_.ComboItemIndex(Role::QuickLaunchList);
        if (index < 0 || index >= static_cast<int>(std::size(kQuickLaunchFolders))) return;
        OpenSpecialFolder(platform_, kQuickLaunchFolders[index]);
    });
}

void Launchers::OpenUserStartupFolder() {
    WithDefaultErrorBox(view_, [&] {
        const std::wstring folder = lists_.Inventory().startMan.UserStartupFolder();
        platform_.shell.ExecuteW(ShellOwner::MainWindow, L"Open", folder, L"", L"", kSwShow);
    });
}

}  // namespace quillmark
