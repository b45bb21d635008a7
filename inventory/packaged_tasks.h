#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

struct Platform;

// One packaged app's startup task, as Windows keeps it for the current user.
struct PackagedStartupTask {
    std::wstring familyName;   // the package family name (the SystemAppData subkey)
    std::wstring taskId;       // the task's subkey
    // The manifest's DisplayName; a ms-resource: name (or none) falls back to
    // the package's display name, then the task id.
    std::wstring displayName;
    std::wstring executable;   // full path of the program the task starts; empty when it cannot be told
    std::uint32_t state = 0;   // the State value as stored (StartupTaskState numbering)
    bool stateKnown = false;   // false when State is not a DWORD
    bool operator==(const PackagedStartupTask&) const = default;
};

// Every task of every package, in registry order; never throws; a bad key or
// manifest keeps the task with what is known.
// A task is a subkey of the package's SystemAppData key that holds a State
// value: the same key holds subkeys of other kinds ("Schemas" and the like).
std::vector<PackagedStartupTask> ListPackagedStartupTasks(const Platform& platform) noexcept;
// Why the task's state may not be changed by the user (states 3 and 4: set by policy), or nothing.
std::optional<std::wstring> PackagedTaskLocked(const PackagedStartupTask& task);
// Writes State 1 (disable) or 2 (enable) into the task's key: the Windows error code (kErrorSuccess when written).
// The key must still exist (it is never created), and a State set by policy
// since the list was read refuses the change as the listed one does
// (kErrorAccessDisabledByPolicy).
std::uint32_t SetPackagedTaskEnabled(const Platform& platform, const PackagedStartupTask& task, bool enabled);

}  // namespace quillmark
