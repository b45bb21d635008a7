#include "inventory/load_scope.h"

#include <map>
#include <vector>

#include "inventory/listed_state.h"
#include "inventory/program_lookup.h"
#include "inventory/run_key.h"
#include "inventory/startup_approved.h"
#include "inventory/shortcut_workers.h"
#include "inventory/windows_start_man.h"
#include "platform/image_list.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/registry_accessor.h"
#include "shellpath/command_line.h"
#include "shellpath/path_text.h"
#include "shellpath/resolved_program.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

// A new row shows the built-in image until its icon is known.
StartupEntry& AppendRow(ScopeList& list, EntryOrigin origin) {
    StartupEntry& row = list.rows.emplace_back();
    row.origin = origin;
    return row;
}

// Gives rows the icons already known and gathers one request per program
// however many rows start it. Names only: the files are looked at later,
// off the window's thread.
class IconPlan {
public:
    IconPlan(const Platform& platform, const ProgramIcons& icons) : platform_(platform), icons_(icons) {}

    void Assign(ScopeList& list, const std::wstring& program) {
        const std::size_t row = list.rows.size() - 1;
        const std::wstring folded = platform_.codePage.Upper(program);
        const auto known = icons_.LatestOf(folded);
        if (known) list.rows[row].iconIndex = known->second;
        const auto [pending, added] = pending_.try_emplace(folded, requests_.size());
        if (added) {
            requests_.push_back(IconRequest{program, std::nullopt, {}});
            if (known) requests_.back().known = known->first;
        }
        requests_[pending->second].rows.push_back(row);
    }
    std::vector<IconRequest> Take() { return std::move(requests_); }

private:
    const Platform& platform_;
    const ProgramIcons& icons_;
    std::map<std::wstring, std::size_t> pending_;  // by folded path
    std::vector<IconRequest> requests_;
};

// What one load keeps from row to row: its link object, its icon plan and
// the scope's StartupApproved marks, read once.
struct LoadPass {
    LoadPass(const Platform& platform, StartupScope scope, const ProgramIcons& known)
        : shortcuts(platform), icons(platform, known), approvals(platform, scope) {}
    ShortcutResolver shortcuts;
    IconPlan icons;
    ScopeApprovals approvals;
};

// True when the row is one of the 64-bit view's rows of the same place
// again: where Windows (or Wine) shares a key between the two views, the
// 32-bit view shows the very same values.
bool ShownInTheOtherView(const ScopeList& list, std::size_t placeStart, const StartupEntry& row) {
    for (std::size_t index = placeStart; index + 1 < list.rows.size(); ++index) {
        const StartupEntry& other = list.rows[index];
        if (other.registryView == RegistryView::Bits64 && other.name == row.name && other.listed == row.listed)
            return true;
    }
    return false;
}

void LoadRunValuesOfView(InventoryContext& context, StartupScope scope, EntrySource source, RegistryView view,
                         ScopeList& list, LoadPass& pass, std::size_t placeStart) {
    // Read rights only: a standard user may read the machine's Run key but
    // not change it, and a request for more would open nothing.
    RunKey runKey(context.registry, scope, view, KeyAccess::Read, source);
    if (!runKey.IsOpen()) return;

    for (const std::wstring& name : runKey.ValueNames()) {
        // A bad value (wrong type, unreadable data) keeps the row with what it
        // has so far: its name and the built-in image.
        try {
            StartupEntry& row = AppendRow(list, EntryOrigin::RunValue);
            row.source = source;
            row.registryView = view;
            row.name = name;
            row.listed = runKey.Listed(name);
            // The Run key is always a key of each view; the others may be shared.
            if (source != EntrySource::Run && view == RegistryView::Bits32 && ShownInTheOtherView(list, placeStart, row)) {
                list.rows.pop_back();
                continue;
            }
            if (HasApprovalMark(row)) row.approval = pass.approvals.Of(row);
            row.location = runKey.LocationOf(name, row.listed);
            pass.icons.Assign(list, ResolvedProgramPath(context.platform, pass.shortcuts, row.location));
        } catch (...) {
            TraceCaughtFailure();
        }
    }
}

// The values of one place (Run, Run once or the policy's Run key), each of
// the scope's views in turn.
void LoadRunValues(InventoryContext& context, StartupScope scope, EntrySource source, ScopeList& list,
                   LoadPass& pass) {
    const std::size_t placeStart = list.rows.size();
    for (const RegistryView view : RunKeyViews(context.registry, scope))
        LoadRunValuesOfView(context, scope, source, view, list, pass, placeStart);
}

// A folder row is named after the program it starts, in UTF-16 as the shell
// shows that file name; a drive root has no file-name part and shows whole.
std::wstring FolderRowName(const std::wstring& resolved) {
    const std::wstring part = ExtractFileName(resolved);
    return part.empty() ? resolved : part;
}

// The scope's Startup files that get a row, in the folder's order. A
// failure ends the list with the files before it.
std::vector<std::wstring> ListedStartupFiles(InventoryContext& context, StartupScope scope) noexcept {
    std::vector<std::wstring> shown;
    try {
        std::vector<std::wstring> paths;
        if (scope == StartupScope::AllUsers)
            context.startMan.ListCommonStartup(paths);
        else
            context.startMan.ListUserStartup(paths);
        // Attributes are read on the path as listed (UTF-16), so a name the
        // ANSI code page cannot spell is not mistaken for an unreadable file.
        // An unreadable file reads as all bits set, hidden included: skipped.
        for (std::wstring& path : paths) {
            if (Trim(path).empty() || (context.platform.files.GetAttributes(path) & kAttrHidden) != 0) continue;
            shown.push_back(std::move(path));
        }
    } catch (...) {
        TraceCaughtFailure();
    }
    return shown;
}

void AddStartupFileRows(InventoryContext& context, ShortcutBatch& files, ScopeList& list, LoadPass& pass) {
    const auto targets = files.Finish();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        try {
            StartupEntry& row = AppendRow(list, EntryOrigin::StartupFile);
            row.source = EntrySource::StartupFolder;
            row.location = files.Locations()[i];
            row.listed = ListedFile(context.platform.files, row.location);
            row.approval = pass.approvals.Of(row);
            // A shortcut that could not be read keeps the row with its location.
            if (!targets[i]) continue;
            const std::wstring resolved = ProgramPathFromCommand(context.platform, *targets[i]);
            row.name = FolderRowName(resolved);
            pass.icons.Assign(list, resolved);
        } catch (...) {
            TraceCaughtFailure();
        }
    }
}

void AddPackagedTaskRows(InventoryContext& context, ScopeList& list, LoadPass& pass) {
    for (PackagedStartupTask& task : ListPackagedStartupTasks(context.platform)) {
        try {
            StartupEntry& row = AppendRow(list, EntryOrigin::PackagedTask);
            row.source = EntrySource::PackagedApp;
            row.name = task.displayName;
            row.location = task.executable;
            // 0 and 1: off (by default, by the user); 3: off by policy.
            row.approval.disabled = task.stateKnown && (task.state == 0 || task.state == 1 || task.state == 3);
            row.task = std::move(task);
            if (!row.location.empty()) pass.icons.Assign(list, row.location);
        } catch (...) {
            TraceCaughtFailure();
        }
    }
}

}  // namespace

std::vector<IconRequest> LoadScopeRows(InventoryContext& context, StartupScope scope, ScopeList& list,
                                       const ProgramIcons& icons) noexcept {
    // A failure outside the per-row guards ends the load with what it has.
    try {
        LoadPass pass(context.platform, scope, icons);
        list.rows.clear();
        list.nameCaption = L"  Name  ";
        list.locationCaption = L"  Location  ";
        try {
            // The shortcuts are the slow part of a load: the helper threads
            // start on them while this one reads the Run values.
            ShortcutBatch files(context.platform, ListedStartupFiles(context, scope), context.shortcutWorkers);
            LoadRunValues(context, scope, EntrySource::Run, list, pass);
            AddStartupFileRows(context, files, list, pass);
            // The places a list has shown for longest come first.
            LoadRunValues(context, scope, EntrySource::RunOnce, list, pass);
            LoadRunValues(context, scope, EntrySource::Policy, list, pass);
            // Packaged apps' startup tasks are the user's own.
            if (scope == StartupScope::CurrentUser) AddPackagedTaskRows(context, list, pass);
        } catch (...) {
            TraceCaughtFailure();
        }
        return pass.icons.Take();
    } catch (...) {
        TraceCaughtFailure();
        return {};
    }
}

void SetRequestIcon(ScopeList& list, const IconRequest& request, int imageIndex) noexcept {
    for (const std::size_t row : request.rows) {
        if (row < list.rows.size()) list.rows[row].iconIndex = imageIndex;
    }
}

void SetRequestPresence(ScopeList& list, const IconRequest& request, ProgramPresence presence) noexcept {
    for (const std::size_t row : request.rows) {
        if (row < list.rows.size()) list.rows[row].program = presence;
    }
}

void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list, ProgramIcons& icons) noexcept {
    for (const IconRequest& request : LoadScopeRows(context, scope, list, icons)) {
        try {
            const ProgramLookup lookup =
                LookUpProgram(context.platform, request.program, request.known, context.images.IconSize());
            SetRequestIcon(list, request, icons.Take(context.images, lookup.key, lookup.iconAsked, lookup.icon.get()));
            SetRequestPresence(list, request, lookup.presence);
        } catch (...) {
            TraceCaughtFailure();
        }
    }
}

void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list) noexcept {
    ProgramIcons icons;
    LoadScope(context, scope, list, icons);
}

}  // namespace quillmark
