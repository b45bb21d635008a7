#include "inventory/remove_entries.h"

#include <optional>

#include "inventory/listed_state.h"
#include "inventory/registry_key_paths.h"
#include "inventory/removal_record.h"
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
    RunKey runKey(registry, scope, row.registryView, KeyAccess::SetValue, row.source);
    if (!runKey.IsOpen()) return RegistryFailure(registry, row.name, runKey.OpenError());
    // The exact UTF-16 name: a name the ANSI code page cannot spell must not
    // turn into another value's name on the way.
    return RegistryFailure(registry, row.name, runKey.DeleteValue(row.name));
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

std::optional<RemovalFailure> RecycleStartupFile(InventoryContext& context, const StartupEntry& row) {
    RecycleFailure failure;
    if (RecycleFile(context.platform, row.location, &failure, context.withoutRecycleBin)) return std::nullopt;
    return RemovalFailure{row.name, failure.reason.empty() ? kReasonChanged : failure.reason, failure.accessDenied};
}

std::wstring ScopeStartupFolder(InventoryContext& context, StartupScope scope) {
    return scope == StartupScope::AllUsers ? context.startMan.CommonStartupFolder()
                                           : context.startMan.UserStartupFolder();
}

// Why the row's source may not be taken now, or nothing when it is still
// exactly what the list showed.
std::optional<std::wstring> NotAsListed(InventoryContext& context, StartupScope scope, const StartupEntry& row) {
    // Windows removes a packaged app's task only with the app.
    if (row.origin == EntryOrigin::PackagedTask) return std::wstring(kReasonPackagedTask);
    if (!row.listed.known) return std::wstring(kReasonUnknownSource);
    if (row.origin == EntryOrigin::StartupFile) {
        // Looked up afresh: the folder may have moved since the list was loaded.
        if (!LiesInsideFolder(context.platform.codePage, row.location, ScopeStartupFolder(context, scope)))
            return std::wstring(kReasonOutsideFolder);
        const ListedState now = ListedFile(context.platform.files, row.location);
        if (!now.known || now.fileSize != row.listed.fileSize || now.lastWriteTime != row.listed.lastWriteTime)
            return std::wstring(kReasonChanged);
        return std::nullopt;
    }
    RunKey runKey(context.registry, scope, row.registryView, KeyAccess::Read, row.source);
    const ListedState now = runKey.Listed(row.name);
    if (!now.known || now.valueType != row.listed.valueType || now.valueData != row.listed.valueData)
        return std::wstring(kReasonChanged);
    return std::nullopt;
}

void AddToRecord(RemovalRecord& record, StartupScope scope, const StartupEntry& row) {
    if (row.origin == EntryOrigin::StartupFile) {
        record.files.push_back(SavedStartupFile{row.location, {}});
    } else {
        record.values.push_back(
            RegFileValue{RunKeyFullPath(scope, row.registryView, row.source), row.name, row.listed.valueType,
                         row.listed.valueData});
    }
}

// The row's StartupApproved value as it is now, byte for byte, whatever its
// type: undo writes back what Windows had, not our reading of it.
std::optional<RegFileValue> RecordedMark(Registry& registry, StartupScope scope, const StartupEntry& row) {
    if (!HasApprovalMark(row)) return std::nullopt;
    const ApprovalMark mark = MarkOf(scope, row);
    RegFileValue value{MarkKeyFullPath(mark.root, mark.subkey), mark.name, kRegNone, {}};
    if (!ReadMark(registry, mark, value.type, value.data)) return std::nullopt;
    return value;
}

// Once the entry is gone its StartupApproved value goes too, or a later
// entry of the same name would start switched off. A Startup file that was
// left where it was (outside the folder) keeps its value.
std::optional<RemovalFailure> DeleteMarkOfRemoved(InventoryContext& context, StartupScope scope,
                                                  const StartupEntry& row) {
    // A Run once or policy value has no mark of its own: the Run value of the
    // same name keeps its mark.
    if (!HasApprovalMark(row)) return std::nullopt;
    if (row.origin == EntryOrigin::StartupFile && context.platform.files.FileExists(row.location)) return std::nullopt;
    Registry& registry = context.platform.registry;
    const std::uint32_t error = DeleteMark(registry, MarkOf(scope, row));
    if (error == kErrorSuccess) return std::nullopt;
    return RemovalFailure{row.name, registry.MessageFor(error), error == kErrorAccessDenied};
}

}  // namespace

RemovalOutcome RemoveEntries(InventoryContext& context, StartupScope scope, std::span<const StartupEntry> rows,
                             const RecordsPlace& place) {
    // Per row, in list order: its failure, if any, and its recorded mark.
    struct Outcome {
        const StartupEntry* row;
        std::optional<RemovalFailure> failure;
        std::optional<RegFileValue> mark;
    };
    std::vector<Outcome> outcomes;
    RemovalRecord record;
    record.scope = scope;
    for (const StartupEntry& row : rows) {
        if (auto reason = NotAsListed(context, scope, row)) {
            outcomes.push_back({&row, RemovalFailure{row.name, std::move(*reason), false}, std::nullopt});
        } else {
            outcomes.push_back({&row, std::nullopt, RecordedMark(context.platform.registry, scope, row)});
            AddToRecord(record, scope, row);
            if (outcomes.back().mark) record.marks.push_back(*outcomes.back().mark);
        }
    }

    const bool anyToRemove = !record.values.empty() || !record.files.empty();
    std::wstring folder;
    if (anyToRemove) folder = WriteRemovalRecord(context.platform, place, record);  // throws: nothing removed

    RemovalRecord removed;
    removed.scope = scope;
    removed.writtenUtc = record.writtenUtc;
    std::size_t fileIndex = 0;
    std::size_t valueIndex = 0;
    RemovalOutcome result;
    for (auto& [row, failure, mark] : outcomes) {
        if (!failure) {
            // Each row is removed only from where it came from: a Run value
            // never recycles a file its command line happens to name, and a
            // Startup file never takes a Run value of the same name with it.
            const bool isFile = row->origin == EntryOrigin::StartupFile;
            failure = isFile ? RecycleStartupFile(context, *row) : DeleteRunValue(context, scope, *row);
            if (!failure && isFile) removed.files.push_back(record.files[fileIndex]);
            if (!failure && !isFile) removed.values.push_back(record.values[valueIndex]);
            (isFile ? fileIndex : valueIndex)++;
            // The entry is gone whatever becomes of its mark; a mark that
            // stayed is not one undo should put back.
            if (!failure) {
                if (auto markLeft = DeleteMarkOfRemoved(context, scope, *row)) {
                    result.marksLeft.push_back(std::move(*markLeft));
                } else if (mark) {
                    removed.marks.push_back(std::move(*mark));
                }
            }
        }
        if (failure) result.failures.push_back(std::move(*failure));
    }

    // The record keeps only what went, so undo puts back nothing that stayed;
    // a record of nothing is closed at once.
    if (anyToRemove && removed.values.empty() && removed.files.empty()) {
        MarkRecordUndone(context.platform, folder);
    } else if (removed.values.size() != record.values.size() || removed.files.size() != record.files.size() ||
               removed.marks.size() != record.marks.size()) {
        RewriteRemovalRecord(context.platform, folder, removed);
    }
    return result;
}

}  // namespace quillmark
