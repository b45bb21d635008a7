#pragma once
#include <string>

#include "inventory/startup_entry.h"

namespace quillmark {

struct Platform;

// What the next logon does with the row, in the order the rules apply.
enum class EntryState { Disabled, ProgramNotFound, Enabled };

// Disabled when switched off through StartupApproved; else program not found
// when its program is missing from a fixed drive; else enabled, also while
// the program has not been looked at yet.
EntryState StateOf(const StartupEntry& row) noexcept;

// What the next logon does with the row: "Disabled" (followed by the day it
// was switched off, in the user's short date format, when Windows recorded
// it), "Program not found" when it is enabled but its program is missing
// from a fixed drive, "Enabled" otherwise, also while the program has not
// been looked at yet.
std::wstring StatusText(const Platform& platform, const StartupEntry& row);

}  // namespace quillmark
