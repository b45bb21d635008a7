#pragma once
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
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

struct UndoOutcome {
    bool found = false;  // there was a record to undo
    std::vector<RestoredEntry> restored;
    std::vector<RemovalFailure> failures;  // accessDenied for refused writes
};

// Puts back what the newest removal record of the scope under `dataFolder`
// holds that is not yet undone: each value with its exact type, data and
// view, each file copied back to where it was, then the StartupApproved value
// of each entry put back, with its recorded type and bytes. A value, file or
// StartupApproved value of the same name that exists now is left as it is and
// reported. The record is then marked undone, unless a write was refused for
// want of rights: an elevated Quillmark may then undo it again.
UndoOutcome UndoLastRemoval(InventoryContext& context, StartupScope scope, const std::wstring& dataFolder);
// Whether there is such a record, cheaply enough to enable a menu item.
bool CanUndoRemoval(const Platform& platform, StartupScope scope, const std::wstring& dataFolder) noexcept;
// Whether the row (of the scope's list) shows one of the restored entries.
bool ShowsRestoredEntry(const StartupEntry& row, StartupScope scope, const std::vector<RestoredEntry>& restored);

}  // namespace quillmark
