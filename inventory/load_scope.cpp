#include "inventory/load_scope.h"

#include <vector>

#include "inventory/run_key.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry_accessor.h"
#include "shellpath/command_line.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"

namespace quillmark {

namespace {

// The program an entry starts: a shortcut's target, then the program part of
// that command line. Neither step fails.
std::wstring ResolvedPath(const Platform& platform, const std::wstring& location) {
    return ProgramPathFromCommand(platform, ResolveShortcutTarget(platform, location));
}

// A new row shows the built-in image until its icon is known.
StartupEntry& AppendRow(ScopeList& list, EntryOrigin origin) {
    StartupEntry& row = list.rows.emplace_back();
    row.origin = origin;
    return row;
}

void LoadRunValuesOfView(InventoryContext& context, StartupScope scope, RegistryView view, ScopeList& list) {
    RegistryAccessor& registry = context.registry;
    // Read rights only: a standard user may read the machine's Run key but
    // not change it, and a request for more would open nothing.
    const RunKey runKey(registry, scope, view);
    if (!runKey.IsOpen()) return;

    std::vector<std::wstring> names;
    registry.GetValueNames(names);
    for (const std::wstring& name : names) {
        // A bad value (wrong type, unreadable data) keeps the row with what it
        // has so far: its name and the built-in image.
        try {
            StartupEntry& row = AppendRow(list, EntryOrigin::RunValue);
            row.registryView = view;
            row.name = name;
            row.location = registry.ReadString(name);
            row.iconIndex = AddFileIcon(context.platform, context.images, ResolvedPath(context.platform, row.location));
        } catch (...) {
        }
    }
}

void LoadRunValues(InventoryContext& context, StartupScope scope, ScopeList& list) {
    for (const RegistryView view : RunKeyViews(context.registry, scope)) LoadRunValuesOfView(context, scope, view, list);
}

// A folder row is named after the program it starts, as the shell would show
// that file name; a drive root has no file-name part and shows whole.
std::wstring FolderRowName(const Platform& platform, const std::wstring& resolved) {
    const std::wstring part = platform.codePage.RoundTrip(ExtractFileName(resolved));
    return part.empty() ? resolved : part;
}

void LoadStartupFiles(InventoryContext& context, StartupScope scope, ScopeList& list) {
    std::vector<std::wstring> paths;
    if (scope == StartupScope::AllUsers)
        context.startMan.ListCommonStartup(paths);
    else
        context.startMan.ListUserStartup(paths);

    for (const std::wstring& path : paths) {
        if (Trim(path).empty()) continue;
        // Attributes are read on the path as listed (UTF-16), so a name the
        // ANSI code page cannot spell is not mistaken for an unreadable file.
        // An unreadable file reads as all bits set, hidden included: skipped.
        if (context.platform.files.GetAttributes(path) & kAttrHidden) continue;
        try {
            StartupEntry& row = AppendRow(list, EntryOrigin::StartupFile);
            row.location = path;
            const std::wstring resolved = ResolvedPath(context.platform, path);
            row.name = FolderRowName(context.platform, resolved);
            row.iconIndex = AddFileIcon(context.platform, context.images, resolved);
        } catch (...) {
        }
    }
}

}  // namespace

void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list) noexcept {
    // A failure outside the per-row guards ends the load with what it has.
    try {
        list.rows.clear();
        list.nameCaption = L"  Name  ";
        list.locationCaption = L"  Location  ";
        LoadRunValues(context, scope, list);
        LoadStartupFiles(context, scope, list);
    } catch (...) {
    }
}

}  // namespace quillmark
