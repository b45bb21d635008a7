#include "inventory/approve_entries.h"

#include <optional>

#include "inventory/approval_value.h"
#include "inventory/packaged_tasks.h"
#include "inventory/startup_approved.h"
#include "platform/platform.h"
#include "platform/registry.h"

namespace quillmark {

namespace {

// A row the user can switch: a Run value or Startup file (its mark), or a
// packaged app's task whose State no policy fixed.
bool Switchable(const StartupEntry& row) {
    if (row.origin == EntryOrigin::PackagedTask) return !PackagedTaskLocked(row.task);
    return HasApprovalMark(row);
}

bool AnyIs(std::span<const StartupEntry> rows, bool disabled) noexcept {
    for (const StartupEntry& row : rows) {
        if (Switchable(row) && row.approval.disabled == disabled) return true;
    }
    return false;
}

// A packaged app's task is switched as Settings does it, through its State.
std::optional<RemovalFailure> SwitchTask(InventoryContext& context, const StartupEntry& row, bool disable) {
    if (const auto locked = PackagedTaskLocked(row.task)) return RemovalFailure{row.name, *locked, false};
    const std::uint32_t error = SetPackagedTaskEnabled(context.platform, row.task, !disable);
    if (error == kErrorSuccess) return std::nullopt;
    return RemovalFailure{row.name, context.platform.registry.MessageFor(error), error == kErrorAccessDenied};
}

std::vector<RemovalFailure> SwitchEntries(InventoryContext& context, StartupScope scope,
                                          std::span<const StartupEntry> rows, bool disable) {
    Registry& registry = context.platform.registry;
    // One time for all rows of the command, as Task Manager stamps each.
    const std::vector<std::uint8_t> value = disable ? DisabledValue(FileTimeNow()) : EnabledValue();
    std::vector<RemovalFailure> failures;
    for (const StartupEntry& row : rows) {
        if (row.origin == EntryOrigin::PackagedTask) {
            if (row.approval.disabled == disable && !PackagedTaskLocked(row.task)) continue;
            if (auto failure = SwitchTask(context, row, disable)) failures.push_back(std::move(*failure));
            continue;
        }
        // A row already so keeps its value, and with it the day it was switched
        // off; a row whose place Windows keeps no mark for is left alone.
        if (!HasApprovalMark(row) || row.approval.disabled == disable) continue;
        const std::uint32_t error = WriteMark(registry, MarkOf(scope, row), value);
        if (error != kErrorSuccess)
            failures.push_back(RemovalFailure{row.name, registry.MessageFor(error), error == kErrorAccessDenied});
    }
    return failures;
}

}  // namespace

bool CanDisableAny(std::span<const StartupEntry> rows) noexcept { return AnyIs(rows, false); }

bool CanEnableAny(std::span<const StartupEntry> rows) noexcept { return AnyIs(rows, true); }

std::vector<RemovalFailure> DisableEntries(InventoryContext& context, StartupScope scope,
                                           std::span<const StartupEntry> rows) {
    return SwitchEntries(context, scope, rows, true);
}

std::vector<RemovalFailure> EnableEntries(InventoryContext& context, StartupScope scope,
                                          std::span<const StartupEntry> rows) {
    return SwitchEntries(context, scope, rows, false);
}

}  // namespace quillmark
