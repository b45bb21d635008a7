#include "inventory/entry_status.h"

#include "platform/environment.h"
#include "platform/platform.h"

namespace quillmark {

EntryState StateOf(const StartupEntry& row) noexcept {
    if (row.approval.disabled) return EntryState::Disabled;
    return row.program == ProgramPresence::Missing ? EntryState::ProgramNotFound : EntryState::Enabled;
}

std::wstring StatusText(const Platform& platform, const StartupEntry& row) {
    // A task whose State a policy fixed says so; the user cannot change it.
    if (row.origin == EntryOrigin::PackagedTask && PackagedTaskLocked(row.task))
        return row.approval.disabled ? L"Disabled (Set by policy)" : L"Enabled (Set by policy)";
    switch (StateOf(row)) {
    case EntryState::Disabled: {
        const std::wstring date =
            row.approval.disabledAt == 0 ? std::wstring() : platform.environment.ShortDate(row.approval.disabledAt);
        return date.empty() ? L"Disabled" : L"Disabled " + date;
    }
    case EntryState::ProgramNotFound: return L"Program not found";
    case EntryState::Enabled: break;
    }
    return L"Enabled";
}

}  // namespace quillmark
