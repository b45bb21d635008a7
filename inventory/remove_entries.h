#pragma once
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// A selected row that could not be removed.
struct RemovalFailure {
    std::wstring name;          // the row's name as listed
    std::wstring reason;        // the system's text for the failure, e.g. "Access is denied."
    bool accessDenied = false;  // missing rights: an elevated Quillmark may succeed
};

// Removes every selected row from where it came from: a Run value is deleted
// from the registry view it was listed from, a Startup file inside the
// scope's Startup folder goes to the recycle bin. Returns the rows that could
// not be removed, in list order; a row whose value or file is already gone is
// not one of them. Each removed row's StartupApproved value is deleted after
// it; a value that cannot be deleted is a failure of its row, which stays
// removed.
std::vector<RemovalFailure> RemoveSelectedEntries(InventoryContext& context, StartupScope scope, const ScopeList& list);

}  // namespace quillmark
