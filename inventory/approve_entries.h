#pragma once
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/remove_entries.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Whether any selected row would change by disabling or enabling it.
bool CanDisableSelected(const ScopeList& list) noexcept;
bool CanEnableSelected(const ScopeList& list) noexcept;

// Switches every selected row that is not so already off (or on) the way
// Task Manager does: its StartupApproved value, in the key of the row's
// root, view and kind, created when missing. The Run value or file itself
// stays. Returns the rows whose value could not be written, in list order,
// reported like rows that could not be removed.
std::vector<RemovalFailure> DisableSelectedEntries(InventoryContext& context, StartupScope scope,
                                                   const ScopeList& list);
std::vector<RemovalFailure> EnableSelectedEntries(InventoryContext& context, StartupScope scope,
                                                  const ScopeList& list);

}  // namespace quillmark
