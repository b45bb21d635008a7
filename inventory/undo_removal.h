#pragma once
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/removal_record.h"
#include "inventory/remove_entries.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// One entry undo put back: a value (its key's full path, name and view) or a file (its path).
struct RestoredEntry {
    EntryOrigin origin = EntryOrigin::RunValue;
    std::wstring keyPath;
    std::wstring name;
    RegistryView view = RegistryView::Default;
    std::wstring location;
};

// A saved Startup file as undo would put it back: its plain name, its copy
// in the record's folder, and the full path of the file to create.
struct PlannedFile {
    std::wstring name;
    std::wstring originalPath;
    std::wstring source;
    std::wstring target;
};

// What one line of the question before undo shows: a name (control
// characters made visible) and where it goes back to.
struct PlannedEntry {
    std::wstring name;
    std::wstring where;
};

// What undo of the scope's newest record would do, read without writing
// anything. A record that cannot be read, is not to be trusted, or names
// anything outside the scope's own Run keys, StartupApproved subkeys and
// Startup folder is refused whole: `refusal` says why, and nothing of it
// may be put back.
struct UndoPlan {
    bool found = false;  // there is a record to undo (or to refuse)
    std::wstring folder;
    std::wstring refusal;
    RemovalRecord record;
    std::vector<PlannedFile> files;
    std::vector<PlannedEntry> entries;
};

struct UndoOutcome {
    bool found = false;  // there was a record to undo
    std::wstring folder;
    std::wstring refusal;  // the record was not used, and why; nothing was written
    std::vector<RestoredEntry> restored;
    std::vector<RemovalFailure> failures;  // accessDenied for refused writes
};

// Reads the newest record of the scope in `place` and checks every part of it.
UndoPlan PlanUndo(InventoryContext& context, StartupScope scope, const RecordsPlace& place);
// Puts back what the plan holds: each value with its exact type, data and
// view, each file copied back into a new file where it was, then the
// StartupApproved value of each entry put back, with its recorded type and
// bytes. A value, file or StartupApproved value of the same name that
// exists now is left as it is and reported. The record is then marked
// undone, unless a write was refused for want of rights: an elevated
// Quillmark may then undo it again. A refused plan writes nothing.
UndoOutcome CarryOutUndo(InventoryContext& context, StartupScope scope, const UndoPlan& plan);
// Both in one step.
UndoOutcome UndoLastRemoval(InventoryContext& context, StartupScope scope, const RecordsPlace& place);
// Whether there is such a record (to undo, or to say why not), cheaply
// enough to enable a menu item.
bool CanUndoRemoval(const Platform& platform, StartupScope scope, const RecordsPlace& place) noexcept;
// Whether the row (of the scope's list) shows one of the restored entries.
bool ShowsRestoredEntry(const StartupEntry& row, StartupScope scope, const std::vector<RestoredEntry>& restored);
// A plain file name: no "\", "/" or ":", no wildcard, quote, angle bracket,
// bar or control character, not "." or "..", no trailing dot or space, and
// no device name (CON, NUL, COM1, ...), so it names one file in the folder
// it is joined to.
bool IsPlainFileName(const std::wstring& name);

}  // namespace quillmark
