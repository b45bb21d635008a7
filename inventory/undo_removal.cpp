#include "inventory/undo_removal.h"

#include <algorithm>
#include <optional>

#include "inventory/registry_key_paths.h"
#include "inventory/removal_record.h"
#include "inventory/run_key.h"
#include "inventory/startup_approved.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shellpath/path_text.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

const wchar_t kReasonExists[] = L"one of that name exists now; it was left as it is";
const wchar_t kReasonOutsideScope[] = L"the record names a place outside this tab's startup items";
const wchar_t kReasonMarkExists[] =
    L"Windows already has an enabled or disabled setting for it; that was left as it is";

struct NewestRecord {
    std::wstring folder;
    RemovalRecord record;
};

std::optional<NewestRecord> FindNewestRecord(const Platform& platform, StartupScope scope,
                                             const std::wstring& dataFolder) {
    for (const std::wstring& folder : RecordFoldersNewestFirst(platform, dataFolder)) {
        if (IsRecordUndone(platform, folder)) continue;
        auto record = ReadRemovalRecord(platform, folder);
        if (record && record->scope == scope) return NewestRecord{folder, std::move(*record)};
    }
    return std::nullopt;
}

RemovalFailure Failure(const Platform& platform, const std::wstring& name, std::uint32_t error) {
    return RemovalFailure{name, platform.registry.MessageFor(error), error == kErrorAccessDenied};
}

bool SameFolded(const CodePage& codePage, const std::wstring& a, const std::wstring& b) {
    return codePage.Upper(a) == codePage.Upper(b);
}

// Values go back only into the scope's own Run keys: the record lies in the
// user's documents, and an elevated Quillmark must not write wherever a
// changed file says.
bool IsRunKeyOfScope(InventoryContext& context, StartupScope scope, const std::wstring& keyPath) {
    for (const EntrySource source : {EntrySource::Run, EntrySource::RunOnce, EntrySource::Policy}) {
        for (const RegistryView view : RunKeyViews(context.registry, scope)) {
            if (SameFolded(context.platform.codePage, keyPath, RunKeyFullPath(scope, view, source))) return true;
        }
    }
    return false;
}

std::optional<RemovalFailure> RestoreValue(InventoryContext& context, StartupScope scope, const RegFileValue& value,
                                           UndoOutcome& outcome) {
    Registry& registry = context.platform.registry;
    const auto location = KeyLocationOf(value.keyPath, registry.HasTwoViews());
    if (!location || !IsRunKeyOfScope(context, scope, value.keyPath))
        return RemovalFailure{value.name, kReasonOutsideScope, false};
    std::uint32_t error = kErrorSuccess;
    // Looked at with read rights, written with the right to set values only.
    if (auto key = registry.OpenKey(location->root, location->path, KeyAccess::Read, location->view, error)) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (key->QueryValueInfo(value.name, type, size)) return RemovalFailure{value.name, kReasonExists, false};
    }
    auto key = registry.OpenKey(location->root, location->path, KeyAccess::SetValue, location->view, error);
    if (!key) return Failure(context.platform, value.name, error);
    error = key->WriteValue(value.name, value.type, value.data);
    if (error != kErrorSuccess) return Failure(context.platform, value.name, error);
    outcome.restored.push_back(RestoredEntry{EntryOrigin::RunValue, value.keyPath, value.name, location->view, {}});
    return std::nullopt;
}

// Marks go back only into the scope's own StartupApproved subkeys, for the
// same reason values go back only into its Run keys.
std::optional<ApprovalMark> MarkOfScopeAt(InventoryContext& context, StartupScope scope, const RegFileValue& value) {
    const RegistryRoot root = RootOf(scope);
    for (const std::wstring& subkey : MarkSubkeys(scope)) {
        if (SameFolded(context.platform.codePage, value.keyPath, MarkKeyFullPath(root, subkey)))
            return ApprovalMark{root, subkey, value.name};
    }
    return std::nullopt;
}

bool SameMark(const CodePage& codePage, const ApprovalMark& a, const ApprovalMark& b) {
    return a.root == b.root && SameFolded(codePage, a.subkey, b.subkey) && SameFolded(codePage, a.name, b.name);
}

// The mark of an entry this undo put back.
bool BelongsToRestored(InventoryContext& context, StartupScope scope, const ApprovalMark& mark,
                       const std::vector<RestoredEntry>& restored) {
    return std::any_of(restored.begin(), restored.end(), [&](const RestoredEntry& entry) {
        // Run once and policy values have no marks: a mark of the same name is a Run value's.
        if (entry.origin == EntryOrigin::RunValue &&
            !SameFolded(context.platform.codePage, entry.keyPath, RunKeyFullPath(scope, entry.view))) {
            return false;
        }
        StartupEntry row;
        row.name = entry.name;
        row.location = entry.location;
        row.origin = entry.origin;
        row.registryView = entry.view;
        return SameMark(context.platform.codePage, MarkOf(scope, row), mark);
    });
}

// A mark goes back only beside its own entry: next to an entry of the same
// name that was left as it is, it would switch that one off.
std::optional<RemovalFailure> RestoreMark(InventoryContext& context, StartupScope scope, const RegFileValue& value,
                                          const UndoOutcome& outcome) {
    const auto mark = MarkOfScopeAt(context, scope, value);
    if (!mark) return RemovalFailure{value.name, kReasonOutsideScope, false};
    if (!BelongsToRestored(context, scope, *mark, outcome.restored)) return std::nullopt;
    Registry& registry = context.platform.registry;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (ReadMark(registry, *mark, type, data)) return RemovalFailure{value.name, kReasonMarkExists, false};
    // Creates StartupApproved and the subkey when missing, asking only for
    // the rights to set values and create keys.
    const std::uint32_t error = WriteMark(registry, *mark, value.data, value.type);
    if (error != kErrorSuccess) return Failure(context.platform, value.name, error);
    return std::nullopt;
}

std::optional<RemovalFailure> RestoreFile(InventoryContext& context, StartupScope scope, const std::wstring& folder,
                                          const SavedStartupFile& file, UndoOutcome& outcome) {
    const Platform& platform = context.platform;
    const std::wstring name = ExtractFileName(file.originalPath);
    const std::wstring startup = scope == StartupScope::AllUsers ? context.startMan.CommonStartupFolder()
                                                                 : context.startMan.UserStartupFolder();
    // Only straight back into the scope's Startup folder, by a plain file name.
    const std::wstring parent = file.originalPath.substr(0, file.originalPath.size() - name.size());
    if (name.empty() || name == L"." || name == L".." || startup.empty() ||
        !SameFolded(platform.codePage, Trim(parent), Trim(startup) + L"\\"))
        return RemovalFailure{name, kReasonOutsideScope, false};
    if (platform.files.GetAttributes(file.originalPath) != kInvalidAttributes)
        return RemovalFailure{name, kReasonExists, false};
    // CopyFileW never replaces here: a file that appears meanwhile stays.
    const std::uint32_t error = platform.files.CopyNew(folder + L"\\" + file.copyName, file.originalPath);
    constexpr std::uint32_t kErrorFileExists = 80;
    if (error == kErrorFileExists) return RemovalFailure{name, kReasonExists, false};
    if (error != kErrorSuccess) return Failure(platform, name, error);
    outcome.restored.push_back(RestoredEntry{EntryOrigin::StartupFile, {}, name, RegistryView::Default, file.originalPath});
    return std::nullopt;
}

}  // namespace

UndoOutcome UndoLastRemoval(InventoryContext& context, StartupScope scope, const std::wstring& dataFolder) {
    UndoOutcome outcome;
    const auto newest = FindNewestRecord(context.platform, scope, dataFolder);
    if (!newest) return outcome;
    outcome.found = true;
    for (const RegFileValue& value : newest->record.values) {
        if (auto failure = RestoreValue(context, scope, value, outcome)) outcome.failures.push_back(std::move(*failure));
    }
    for (const SavedStartupFile& file : newest->record.files) {
        if (auto failure = RestoreFile(context, scope, newest->folder, file, outcome))
            outcome.failures.push_back(std::move(*failure));
    }
    for (const RegFileValue& mark : newest->record.marks) {
        if (auto failure = RestoreMark(context, scope, mark, outcome)) outcome.failures.push_back(std::move(*failure));
    }
    const bool refused = std::any_of(outcome.failures.begin(), outcome.failures.end(),
                                     [](const RemovalFailure& failure) { return failure.accessDenied; });
    if (!refused) MarkRecordUndone(context.platform, newest->folder);
    return outcome;
}

bool CanUndoRemoval(const Platform& platform, StartupScope scope, const std::wstring& dataFolder) noexcept {
    try {
        return FindNewestRecord(platform, scope, dataFolder).has_value();
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

bool ShowsRestoredEntry(const StartupEntry& row, StartupScope scope, const std::vector<RestoredEntry>& restored) {
    return std::any_of(restored.begin(), restored.end(), [&](const RestoredEntry& entry) {
        if (entry.origin != row.origin) return false;
        if (entry.origin == EntryOrigin::StartupFile) return entry.location == row.location;
        return entry.name == row.name && entry.keyPath == RunKeyFullPath(scope, row.registryView, row.source);
    });
}

}  // namespace quillmark
