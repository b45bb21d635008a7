#pragma once
#include <memory>
#include <optional>
#include <string>

#include "inventory/program_icons.h"
#include "inventory/startup_entry.h"
#include "platform/shell.h"

namespace quillmark {

struct Platform;
class FileSystem;

// What one look at a program's file tells. Everything here may wait on a
// slow or missing drive, so the window's thread never does it.
struct ProgramLookup {
    ProgramKey key;
    ProgramPresence presence = ProgramPresence::Unknown;
    bool iconAsked = false;           // false: `known` was still the key, the shell was not asked
    std::unique_ptr<FileIcon> icon;  // null: the shell has none, or was not asked
};

// Reads the program's key and whether it is there; asks the shell for its
// icon at `iconSize` pixels unless the key is `known` (the icon is in the
// image list already).
// A file that is absent from a fixed drive is missing; one out of reach
// (network share, removable drive) stays unknown.
ProgramLookup LookUpProgram(const Platform& platform, const std::wstring& program,
                            const std::optional<ProgramKey>& known, int iconSize) noexcept;

// Whether the program is absent from a fixed drive: all that "Program not
// found" needs. The file is looked at only on a fixed drive, so a program on
// a network share or removable drive is never waited for.
bool ProgramMissingFromFixedDrive(FileSystem& files, const std::wstring& program) noexcept;

}  // namespace quillmark
