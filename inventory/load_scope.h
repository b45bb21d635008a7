#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/program_icons.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// A program whose icon is not known yet, and the rows (indexes into the
// list) that show it once it is.
struct IconRequest {
    std::wstring program;
    ProgramKey key;
    std::vector<std::size_t> rows;
};

// Empties `list` and fills it with the scope's Run values, then its Startup
// folder's files. A row whose program is in `icons` gets its image at once;
// the others show the built-in image and come back as requests, one per
// program. Never throws; a bad row keeps what it had and loading goes on.
std::vector<IconRequest> LoadScopeRows(InventoryContext& context, StartupScope scope, ScopeList& list,
                                       const ProgramIcons& icons) noexcept;
// Gives every row of the request the image index.
void SetRequestIcon(ScopeList& list, const IconRequest& request, int imageIndex) noexcept;

// The whole load on the calling thread: rows, then the icons still missing
// from `icons`, asked of the shell once per program.
void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list, ProgramIcons& icons) noexcept;
// The same, remembering icons for this load only.
void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list) noexcept;

}  // namespace quillmark
