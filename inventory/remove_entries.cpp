#include "inventory/remove_entries.h"

#include <optional>

#include "inventory/run_key.h"
#include "inventory/startup_approved.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry_accessor.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// Already gone (the value, or the whole key) counts as removed.
std::optional<RemovalFailure> RegistryFailure(const RegistryAccessor& registry, const std::wstring& name,
                                              std::uint32_t error) {
    if (error == kErrorSuccess || error == kErrorFileNotFound) return std::nullopt;
    return RemovalFailure{name, registry.MessageFor(error), error == kErrorAccessDenied};
}

std::optional<RemovalFailure> DeleteRunValue(InventoryContext& context, StartupScope scope, const StartupEntry& row) {
    RegistryAccessor& registry = context.registry;
    // Only the right to delete values, and only in the view the row came from.
    const RunKey runKey(registry, scope, row.registryView, KeyAccess::SetValue);
    if (!runKey.IsOpen()) return RegistryFailure(registry, row.name, registry.OpenError());
    // The exact UTF-16 name: a name the ANSI code page cannot spell must not
    // turn into another value's name on the way.
    return RegistryFailure(registry, row.name, registry.DeleteValue(row.name));
}

// True when `location` names a file directly inside `folder`. Both are
// compared trimmed and in one letter case; the folder must be followed by a
// backslash, so a sibling folder that merely begins with the same text
// ('...\Startup Items') is not inside. The rest must be a plain file name:
// no further separator, no stream suffix, no "." or "..", which could lead
// outside the folder.
bool LiesInsideFolder(const CodePage& codePage, const std::wstring& location, const std::wstring& folder) {
    const std::wstring foldedFolder = Trim(codePage.Upper(folder));
    if (foldedFolder.empty()) return false;  // an unknown folder holds nothing
    const std::wstring prefix = foldedFolder + L"\\";
    const std::wstring foldedLocation = Trim(codePage.Upper(location));
    if (foldedLocation.size() <= prefix.size() || foldedLocation.compare(0, prefix.size(), prefix) != 0) return false;
    const std::wstring fileName = foldedLocation.substr(prefix.size());
    return fileName.find_first_of(L"\\/:") == std::wstring::npos && fileName != L"." && fileName != L"..";
}

std::optional<RemovalFailure> RecycleStartupFile(InventoryContext& context, StartupScope scope,
                                                 const StartupEntry& row) {
    // Looked up afresh: the folder may have moved since the list was loaded.
    const std::wstring folder = scope == StartupScope::AllUsers ? context.startMan.CommonStartupFolder()
                                                                : context.startMan.UserStartupFolder();
    if (!LiesInsideFolder(context.platform.codePage, row.location, folder)) return std::nullopt;
    RecycleFailure failure;
    if (RecycleFile(context.platform, row.location, &failure) || failure.reason.empty()) return std::nullopt;
    return RemovalFailure{row.name, failure.reason, failure.accessDenied};
}

// Once the entry is gone its StartupApproved value goes too, or a later
// entry of the same name would start switched off. A Startup file that was
// left where it was (outside the folder) keeps its value.
std::optional<RemovalFailure> DeleteMarkOfRemoved(InventoryContext& context, StartupScope scope,
                                                  const StartupEntry& row) {
    if (row.origin == EntryOrigin::StartupFile && context.platform.files.FileExists(row.location)) return std::nullopt;
    Registry& registry = context.platform.registry;
    const std::uint32_t error = DeleteMark(registry, MarkOf(scope, row));
    if (error == kErrorSuccess) return std::nullopt;
    return RemovalFailure{row.name, registry.MessageFor(error), error == kErrorAccessDenied};
}

}  // namespace

std::vector<RemovalFailure> RemoveSelectedEntries(InventoryContext& context, StartupScope scope, const ScopeList& list) {
    std::vector<RemovalFailure> failures;
    for (const StartupEntry& row : list.rows) {
        if (!row.selected) continue;
        // Each row is removed only from where it came from: a Run value never
        // recycles a file its command line happens to name, and a Startup
        // file never takes a Run value of the same name with it.
        auto failure = row.origin == EntryOrigin::RunValue ? DeleteRunValue(context, scope, row)
                                                           : RecycleStartupFile(context, scope, row);
        if (!failure) failure = DeleteMarkOfRemoved(context, scope, row);
        if (failure) failures.push_back(std::move(*failure));
    }
    return failures;
}

}  // namespace quillmark
