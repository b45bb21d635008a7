#pragma once
#include "inventory/inventory_context.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Removes every selected row from where it came from: a Run value is deleted,
// a Startup file inside the scope's Startup folder goes to the recycle bin.
void RemoveSelectedEntries(InventoryContext& context, StartupScope scope, const ScopeList& list);

}  // namespace quillmark
