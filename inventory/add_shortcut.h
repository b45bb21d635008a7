#pragma once
#include <functional>
#include <string>

#include "inventory/inventory_context.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// Asked only when the shortcut file already exists; `file` is its file name,
// e.g. L"Backup .lnk". Returns true to replace it.
using ConfirmReplace = std::function<bool(const std::wstring& file)>;

// Writes a shortcut named after `name` to `path` into the scope's Startup
// folder. Names are cut after their first blank, so two programs can come to
// the same file name: an existing shortcut is replaced only when
// `confirmReplace` says so (no question given: it is kept), and a declined
// replace returns without writing. The new shortcut starts enabled: a
// StartupApproved value of its file name is deleted. Throws Error naming the
// file and the reason when the shortcut cannot be written or switched on,
// marked accessDenied when Windows refused it for want of rights.
void AddStartupShortcut(InventoryContext& context, StartupScope scope, const std::wstring& name,
                        const std::wstring& path, bool addMode, const ConfirmReplace& confirmReplace);

// The text before the first character a file name cannot hold (the nine
// reserved ones and the controls), then cut after its first blank.
std::wstring CleanEntryName(const std::wstring& text);

}  // namespace quillmark
