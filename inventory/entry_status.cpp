#include "inventory/entry_status.h"

#include "platform/environment.h"
#include "platform/platform.h"

namespace quillmark {

std::wstring StatusText(const Platform& platform, const StartupEntry& row) {
    // A task whose State a policy fixed says so; the user cannot change it.
    if (row.origin == EntryOrigin::PackagedTask && PackagedTaskLocked(row.task))
        return row.approval.disabled ? L"Disabled (Set by policy)" : L"Enabled (Set by policy)";
    if (row.approval.disabled) {
        const std::wstring date =
            row.approval.disabledAt == 0 ? std::wstring() : platform.environment.ShortDate(row.approval.disabledAt);
        return date.empty() ? L"Disabled" : L"Disabled " + date;
    }
    return row.program == ProgramPresence::Missing ? L"Program not found" : L"Enabled";
}

}  // namespace quillmark
