#include "inventory/approve_entries.h"

#include "inventory/approval_value.h"
#include "inventory/startup_approved.h"
#include "platform/platform.h"
#include "platform/registry.h"

namespace quillmark {

namespace {

bool AnySelected(const ScopeList& list, bool disabled) noexcept {
    for (const StartupEntry& row : list.rows) {
        if (row.selected && row.approval.disabled == disabled) return true;
    }
    return false;
}

std::vector<RemovalFailure> SwitchSelected(InventoryContext& context, StartupScope scope, const ScopeList& list,
                                           bool disable) {
    Registry& registry = context.platform.registry;
    // One time for all rows of the command, as Task Manager stamps each.
    const std::vector<std::uint8_t> value = disable ? DisabledValue(FileTimeNow()) : EnabledValue();
    std::vector<RemovalFailure> failures;
    for (const StartupEntry& row : list.rows) {
        // A row already so keeps its value, and with it the day it was switched off.
        if (!row.selected || row.approval.disabled == disable) continue;
        const std::uint32_t error = WriteMark(registry, MarkOf(scope, row), value);
        if (error != kErrorSuccess)
            failures.push_back(RemovalFailure{row.name, registry.MessageFor(error), error == kErrorAccessDenied});
    }
    return failures;
}

}  // namespace

bool CanDisableSelected(const ScopeList& list) noexcept { return AnySelected(list, false); }

bool CanEnableSelected(const ScopeList& list) noexcept { return AnySelected(list, true); }

std::vector<RemovalFailure> DisableSelectedEntries(InventoryContext& context, StartupScope scope,
                                                   const ScopeList& list) {
    return SwitchSelected(context, scope, list, true);
}

std::vector<RemovalFailure> EnableSelectedEntries(InventoryContext& context, StartupScope scope,
                                                  const ScopeList& list) {
    return SwitchSelected(context, scope, list, false);
}

}  // namespace quillmark
