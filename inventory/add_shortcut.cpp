#include "inventory/add_shortcut.h"

#include "inventory/startup_approved.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// A web page's address gets "http://" unless it already names http or https
// in any letter case; "http://" alone is taken as it is.
std::wstring ShortcutTarget(const CodePage& codePage, const std::wstring& path, bool addMode) {
    const std::wstring target = Trim(path);
    if (!addMode) return target;
    const std::wstring lower = codePage.Lower(target);
    if (lower.starts_with(L"http://") || lower.starts_with(L"https://")) return target;
    return L"http://" + target;
}

[[noreturn]] void FailToWrite(const std::wstring& file, const std::wstring& reason, bool accessDenied = false) {
    throw Error(L"Could not write the shortcut '" + file + L"': " + reason, accessDenied);
}

}  // namespace

void AddStartupShortcut(InventoryContext& context, StartupScope scope, const std::wstring& name,
                        const std::wstring& path, bool addMode, const ConfirmReplace& confirmReplace) {
    const Platform& platform = context.platform;
    // Looked up afresh at every add.
    const std::wstring folder = scope == StartupScope::AllUsers ? context.startMan.CommonStartupFolder()
                                                                : context.startMan.UserStartupFolder();
    const std::wstring cleanName = CleanEntryName(Trim(name));
    const std::wstring target = ShortcutTarget(platform.codePage, path, addMode);

    // Without a folder the file would land in the root of the current drive.
    if (Trim(folder).empty()) FailToWrite(cleanName + L".lnk", L"the Startup folder of this scope is not known.");

    const std::wstring fileName = cleanName + L".lnk";
    const std::wstring file = folder + L"\\" + fileName;
    if (platform.files.FileExists(file) && !(confirmReplace && confirmReplace(fileName))) return;
    std::wstring reason;
    bool accessDenied = false;
    if (!CreateShortcutFile(platform, target, cleanName, folder, &reason, &accessDenied)) {
        if (reason.empty()) reason = L"the shortcut could not be saved.";
        FailToWrite(file, reason, accessDenied);
    }
    // A value left behind by an earlier entry of this file name (Task
    // Manager's "disabled") would keep the new shortcut from starting.
    const std::uint32_t error = DeleteMark(platform.registry, StartupFolderMark(scope, fileName));
    if (error != kErrorSuccess) {
        throw Error(L"The shortcut '" + file + L"' was written, but Windows keeps it switched off: " +
                        platform.registry.MessageFor(error),
                    error == kErrorAccessDenied);
    }
}

}  // namespace quillmark
