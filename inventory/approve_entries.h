#pragma once
#include <span>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/remove_entries.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Whether any of `rows` would change by disabling or enabling it.
bool CanDisableAny(std::span<const StartupEntry> rows) noexcept;
bool CanEnableAny(std::span<const StartupEntry> rows) noexcept;

// Switches each of `rows` (rows of the scope's list) that is not so already off (or on) the way
// Task Manager does: its StartupApproved value, in the key of the row's
// root, view and kind, created when missing. The Run value or file itself
// stays. Returns the rows whose value could not be written, in list order,
// reported like rows that could not be removed.
std::vector<RemovalFailure> DisableEntries(InventoryContext& context, StartupScope scope,
                                           std::span<const StartupEntry> rows);
std::vector<RemovalFailure> EnableEntries(InventoryContext& context, StartupScope scope,
                                          std::span<const StartupEntry> rows);

}  // namespace quillmark
