#include "inventory/undo_removal.h"

#include <algorithm>
#include <optional>
#include <string_view>

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

namespace quillmark {

namespace {

const wchar_t kReasonExists[] = L"one of that name exists now; it was left as it is";
const wchar_t kReasonMarkExists[] =
    L"Windows already has an enabled or disabled setting for it; that was left as it is";

std::wstring OutsideScope(const std::wstring& name) {
    return L"it names a place outside this tab's startup items (\"" + PrintableName(name) + L"\")";
}

RemovalFailure Failure(const Platform& platform, const std::wstring& name, std::uint32_t error) {
    return RemovalFailure{name, platform.registry.MessageFor(error), error == kErrorAccessDenied};
}

bool SameFolded(const CodePage& codePage, const std::wstring& a, const std::wstring& b) {
    return codePage.Upper(a) == codePage.Upper(b);
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

// Up to the last "\" of a full path, without it.
std::wstring ParentOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L'\\');
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

// Values go back only into the scope's own Run keys, marks only into its
// own StartupApproved subkeys: an elevated Quillmark must not write
// wherever a changed file says.
bool IsRunKeyOfScope(InventoryContext& context, StartupScope scope, const std::wstring& keyPath) {
    for (const EntrySource source : {EntrySource::Run, EntrySource::RunOnce, EntrySource::Policy}) {
        for (const RegistryView view : RunKeyViews(context.registry, scope)) {
            if (SameFolded(context.platform.codePage, keyPath, RunKeyFullPath(scope, view, source))) return true;
        }
    }
    return false;
}

std::optional<ApprovalMark> MarkOfScopeAt(InventoryContext& context, StartupScope scope, const RegFileValue& value) {
    const RegistryRoot root = RootOf(scope);
    for (const std::wstring& subkey : MarkSubkeys(scope)) {
        if (SameFolded(context.platform.codePage, value.keyPath, MarkKeyFullPath(root, subkey)))
            return ApprovalMark{root, subkey, value.name};
    }
    return std::nullopt;
}

std::wstring ScopeStartupFolder(InventoryContext& context, StartupScope scope) {
    return scope == StartupScope::AllUsers ? context.startMan.CommonStartupFolder()
                                           : context.startMan.UserStartupFolder();
}

// A file goes back only into the scope's Startup folder, by a plain name,
// from a copy by a plain name inside its own record: the record says where
// to write, so each path is checked as Windows will resolve it ("/" and
// ".." included) before anything is written.
std::optional<std::wstring> PlanFile(InventoryContext& context, StartupScope scope, const RecordsPlace& place,
                                     const std::wstring& folder, const SavedStartupFile& file, UndoPlan& plan) {
    FileSystem& files = context.platform.files;
    const CodePage& codePage = context.platform.codePage;
    const std::size_t separator = file.originalPath.find_last_of(L'\\');
    const std::wstring name = separator == std::wstring::npos ? file.originalPath : file.originalPath.substr(separator + 1);
    const std::wstring startup = WithoutTrailingSeparators(files.FullPath(Trim(ScopeStartupFolder(context, scope))));
    const std::wstring target = files.FullPath(file.originalPath);
    if (separator == std::wstring::npos || !IsPlainFileName(name) || startup.empty() ||
        !SameFolded(codePage, ParentOf(target), startup) || target.substr(ParentOf(target).size() + 1) != name)
        return OutsideScope(file.originalPath);
    const std::wstring source = folder + L"\\" + file.copyName;
    if (!IsPlainFileName(file.copyName) ||
        !SameFolded(codePage, ParentOf(files.FullPath(source)), WithoutTrailingSeparators(files.FullPath(folder))))
        return OutsideScope(file.copyName);
    if (std::wstring why = DistrustOf(context.platform, place, source); !why.empty()) return why;
    plan.files.push_back(PlannedFile{name, file.originalPath, source, target});
    plan.entries.push_back(PlannedEntry{PrintableName(name), startup});
    return std::nullopt;
}

std::optional<std::wstring> CheckRecord(InventoryContext& context, StartupScope scope, const RecordsPlace& place,
                                        UndoPlan& plan) {
    Registry& registry = context.platform.registry;
    for (const RegFileValue& value : plan.record.values) {
        if (!KeyLocationOf(value.keyPath, registry.HasTwoViews()) || !IsRunKeyOfScope(context, scope, value.keyPath))
            return OutsideScope(value.name);
        plan.entries.push_back(PlannedEntry{value.name.empty() ? L"(Default)" : PrintableName(value.name), value.keyPath});
    }
    for (const SavedStartupFile& file : plan.record.files) {
        if (auto why = PlanFile(context, scope, place, plan.folder, file, plan)) return why;
    }
    for (const RegFileValue& mark : plan.record.marks) {
        if (!MarkOfScopeAt(context, scope, mark)) return OutsideScope(mark.name);
        plan.entries.push_back(PlannedEntry{PrintableName(mark.name), mark.keyPath});
    }
    return std::nullopt;
}

std::optional<RemovalFailure> RestoreValue(InventoryContext& context, const RegFileValue& value,
                                           UndoOutcome& outcome) {
    Registry& registry = context.platform.registry;
    const auto location = KeyLocationOf(value.keyPath, registry.HasTwoViews());
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
    const ApprovalMark mark = *MarkOfScopeAt(context, scope, value);
    if (!BelongsToRestored(context, scope, mark, outcome.restored)) return std::nullopt;
    Registry& registry = context.platform.registry;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (ReadMark(registry, mark, type, data)) return RemovalFailure{value.name, kReasonMarkExists, false};
    // Creates StartupApproved and the subkey when missing, asking only for
    // the rights to set values and create keys.
    const std::uint32_t error = WriteMark(registry, mark, value.data, value.type);
    if (error != kErrorSuccess) return Failure(context.platform, value.name, error);
    return std::nullopt;
}

std::optional<RemovalFailure> RestoreFile(InventoryContext& context, const PlannedFile& file, UndoOutcome& outcome) {
    const Platform& platform = context.platform;
    if (platform.files.GetAttributes(file.target) != kInvalidAttributes)
        return RemovalFailure{file.name, kReasonExists, false};
    // A new file only: one that appears meanwhile, or a link planted under
    // that name, stays as it is.
    const std::uint32_t error = platform.files.CopyNew(file.source, file.target);
    if (error == kErrorFileExists) return RemovalFailure{file.name, kReasonExists, false};
    if (error != kErrorSuccess) return Failure(platform, file.name, error);
    outcome.restored.push_back(
        RestoredEntry{EntryOrigin::StartupFile, {}, file.name, RegistryView::Default, file.originalPath});
    return std::nullopt;
}

bool IsDeviceName(const std::wstring& name) {
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (wchar_t& c : base) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    const bool numbered = base.size() == 4 && (base.rfind(L"COM", 0) == 0 || base.rfind(L"LPT", 0) == 0);
    return numbered && ((base[3] >= L'0' && base[3] <= L'9') || base[3] == L'\u00b9' || base[3] == L'\u00b2' ||
                        base[3] == L'\u00b3');
}

}  // namespace

bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L".." || name.back() == L'.' || name.back() == L' ') return false;
    for (const wchar_t c : name) {
        if (c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
    }
    return !IsDeviceName(name);
}

UndoPlan PlanUndo(InventoryContext& context, StartupScope scope, const RecordsPlace& place) {
    UndoPlan plan;
    NewestRecord newest = FindNewestRecord(context.platform, scope, place);
    if (!newest.found) return plan;
    plan.found = true;
    plan.folder = std::move(newest.folder);
    plan.refusal = std::move(newest.problem);
    if (!plan.refusal.empty()) return plan;
    plan.record = std::move(newest.record);
    if (auto why = CheckRecord(context, scope, place, plan)) {
        plan.refusal = std::move(*why);
        plan.files.clear();
        plan.entries.clear();
    }
    return plan;
}

UndoOutcome CarryOutUndo(InventoryContext& context, StartupScope scope, const UndoPlan& plan) {
    UndoOutcome outcome{plan.found, plan.folder, plan.refusal, {}, {}};
    if (!plan.found || !plan.refusal.empty()) return outcome;
    for (const RegFileValue& value : plan.record.values) {
        if (auto failure = RestoreValue(context, value, outcome)) outcome.failures.push_back(std::move(*failure));
    }
    for (const PlannedFile& file : plan.files) {
        if (auto failure = RestoreFile(context, file, outcome)) outcome.failures.push_back(std::move(*failure));
    }
    for (const RegFileValue& mark : plan.record.marks) {
        if (auto failure = RestoreMark(context, scope, mark, outcome)) outcome.failures.push_back(std::move(*failure));
    }
    const bool refused = std::any_of(outcome.failures.begin(), outcome.failures.end(),
                                     [](const RemovalFailure& failure) { return failure.accessDenied; });
    if (!refused) MarkRecordUndone(context.platform, plan.folder);
    return outcome;
}

UndoOutcome UndoLastRemoval(InventoryContext& context, StartupScope scope, const RecordsPlace& place) {
    return CarryOutUndo(context, scope, PlanUndo(context, scope, place));
}

bool CanUndoRemoval(const Platform& platform, StartupScope scope, const RecordsPlace& place) noexcept {
    return FindNewestRecord(platform, scope, place).found;
}

bool ShowsRestoredEntry(const StartupEntry& row, StartupScope scope, const std::vector<RestoredEntry>& restored) {
    return std::any_of(restored.begin(), restored.end(), [&](const RestoredEntry& entry) {
        if (entry.origin != row.origin) return false;
        if (entry.origin == EntryOrigin::StartupFile) return entry.location == row.location;
        return entry.name == row.name && entry.keyPath == RunKeyFullPath(scope, row.registryView, row.source);
    });
}

}  // namespace quillmark
