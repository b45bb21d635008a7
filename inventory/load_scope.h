#pragma once
#include "inventory/inventory_context.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Empties `list` and fills it with the scope's Run values, then its Startup
// folder's files. Never throws; a bad row keeps what it had and loading goes on.
void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list) noexcept;

}  // namespace quillmark
