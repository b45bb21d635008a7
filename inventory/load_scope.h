#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/program_icons.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// A program to look at off the window's thread (its file's key, whether it
// is there, its icon unless `known` is still its key), and the rows
// (indexes into the list) that start it.
struct IconRequest {
    std::wstring program;
    std::optional<ProgramKey> known;  // the key whose image the rows show already
    std::vector<std::size_t> rows;
};

// Empties `list` and fills it with the scope's Run values, then its Startup
// folder's files, each with its StartupApproved mark, then its Run once and
// policy Run values, and for the current user the packaged apps' startup tasks. A row whose program is
// in `icons` shows that image at once, the others the built-in image; every
// program comes back as one request, and no program file is touched here.
// Never throws; a bad row keeps what it had and loading goes on.
std::vector<IconRequest> LoadScopeRows(InventoryContext& context, StartupScope scope, ScopeList& list,
                                       const ProgramIcons& icons) noexcept;
// Gives every row of the request the image index.
void SetRequestIcon(ScopeList& list, const IconRequest& request, int imageIndex) noexcept;
// Tells every row of the request whether its program is there.
void SetRequestPresence(ScopeList& list, const IconRequest& request, ProgramPresence presence) noexcept;

// The whole load on the calling thread: rows, then each program looked at,
// its icon asked of the shell when `icons` does not hold it yet.
void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list, ProgramIcons& icons) noexcept;
// The same, remembering icons for this load only.
void LoadScope(InventoryContext& context, StartupScope scope, ScopeList& list) noexcept;

}  // namespace quillmark
