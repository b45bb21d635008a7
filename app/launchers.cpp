#include "app/launchers.h"

#include <iterator>
#include <string>

#include "app/guards.h"
#include "app/startup_lists.h"
#include "app/texts.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

constexpr wchar_t kRunDll32[] = L"RunDLL32.exe";
constexpr char kAddRemoveProgramsArguments[] = "Shell32.dll,Control_RunDLL AppWiz.cpl,,0";
// The consoles themselves: their shortcuts moved between Windows versions
// (Task Scheduler's left Accessories\System Tools with Windows 8), the
// consoles stayed in System32.
constexpr wchar_t kTaskSchedulerConsole[] = L"taskschd.msc";
constexpr wchar_t kServicesConsole[] = L"services.msc";

// The folders of the quick-launch list, by item index. The desktop item is
// the all-users desktop, not the user's own.
constexpr int kQuickLaunchFolders[] = {kCsidlPersonal, kCsidlDrives, kCsidlCommonDesktopDirectory,
                                       kCsidlProgramFiles};

// A console of System32 opened by the shell, owned by the application
// window: by its full path, so no file of that name beside Quillmark or in
// the current folder is opened instead. The Windows error code; the shell
// shows no box of its own, the caller reports.
std::uint32_t OpenSystemConsole(const Platform& platform, const std::wstring& console) {
    ShellExecuteInfoW info;
    info.owner = ShellOwner::Application;
    info.mask = kSeeMaskFlagNoUi;
    info.verb = L"open";
    info.file = SystemProgramPath(platform, console);
    info.show = kSwShowNormal;
    if (info.file.empty()) return kErrorFileNotFound;
    return platform.shell.ExecuteExW(info);
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

void Launchers::OpenServices() { OpenConsole(texts::kServices, kServicesConsole); }

void Launchers::OpenScheduledTasks() { OpenConsole(texts::kTaskScheduler, kTaskSchedulerConsole); }

// A console that would not open is reported; the user's own No to a
// consent prompt is not.
void Launchers::OpenConsole(const wchar_t* tool, const wchar_t* console) {
    WithDefaultErrorBox(view_, [&] {
        const std::uint32_t error = OpenSystemConsole(platform_, console);
        if (error == kErrorSuccess || error == kErrorCancelled) return;
        view_.ShowMessage(texts::ToolNotOpened(tool, platform_.registry.MessageFor(error)), texts::kError,
                          MessageKind::Error, MessageButtons::Ok);
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
