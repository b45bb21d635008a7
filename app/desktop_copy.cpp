#include "app/desktop_copy.h"

#include "app/data_folder.h"
#include "platform/environment.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

constexpr wchar_t kShortcutName[] = L"Quillmark";

// A drive path ("C:\...") or a network path ("\\server\..."); DataFolder of
// an unknown documents folder is neither.
bool IsAbsolutePath(const std::wstring& path) {
    return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || path.rfind(L"\\\\", 0) == 0;
}

}  // namespace

DesktopCopyPlan PlanDesktopCopy(const Platform& platform) {
    DesktopCopyPlan plan;
    plan.program = platform.environment.ModuleFileName();
    if (plan.program.empty()) throw Error(L"The path of Quillmark.exe could not be read.");
    plan.desktop = DesktopPath(platform);
    const std::wstring dataFolder = DataFolder(platform);
    if (!IsAbsolutePath(dataFolder)) throw Error(L"The documents folder could not be found.");
    if (!platform.files.DirectoryExists(dataFolder)) platform.files.ForceDirectories(dataFolder);
    plan.programCopy = dataFolder + L"\\" + ExtractFileName(plan.program);
    return plan;
}

bool CopyProgramWithShortcut(const Platform& platform, const DesktopCopyPlan& plan, std::wstring& failure) {
    // Overwrites an older copy; run from the copy itself this fails, and the
    // copy that is running is the one the shortcut should point at anyway.
    platform.files.Copy(plan.program, plan.programCopy, false);
    if (plan.desktop.empty()) {
        failure = L"The desktop folder could not be found.";
        return false;
    }
    return CreateShortcutFile(platform, plan.programCopy, kShortcutName, plan.desktop, &failure);
}

void InstallDesktopCopy(const Platform& platform) {
    std::wstring failure;
    if (!CopyProgramWithShortcut(platform, PlanDesktopCopy(platform), failure)) throw Error(failure);
}

void ShowDesktop(const Platform& platform) {
    const HResult result = platform.shell.ToggleDesktop();
    if (result == kDispEException || Succeeded(result)) return;
    throw Error(platform.links.MessageFor(result));
}

}  // namespace quillmark
