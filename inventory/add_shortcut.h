#pragma once
#include <string>

#include "inventory/inventory_context.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Writes a shortcut named after `name` to `path` into the scope's Startup
// folder. Throws Error naming the file and the reason when it cannot.
void AddStartupShortcut(InventoryContext& context, StartupScope scope, const std::wstring& name,
                        const std::wstring& path, bool addMode);

// The text before the first character a file name cannot hold, then cut
// after its first blank.
std::wstring CleanEntryName(const std::wstring& text);

}  // namespace quillmark
