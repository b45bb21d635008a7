#include "inventory/program_lookup.h"

#include "platform/file_system.h"
#include "platform/platform.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"
#include "platform/trace.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

namespace {

ProgramPresence PresenceOf(const Platform& platform, const std::wstring& program) {
    FileSystem& files = platform.files;
    // The program part of a command line keeps the blank after it
    // ("app.exe "); Windows drops trailing blanks from a path anyway. The
    // file is looked for where Windows, starting the entry, would find it.
    const std::wstring path = ReachablePath(platform, Trim(program));
    // A folder counts: the add panel writes shortcuts to folders too.
    if (files.GetAttributes(path) != kInvalidAttributes) return ProgramPresence::Found;
    return files.IsOnFixedDrive(path) ? ProgramPresence::Missing : ProgramPresence::Unknown;
}

}  // namespace

ProgramLookup LookUpProgram(const Platform& platform, const std::wstring& program,
                            const std::optional<ProgramKey>& known, int iconSize) noexcept {
    ProgramLookup lookup;
    try {
        lookup.key = ProgramIcons::KeyOf(platform, program);
        lookup.presence = PresenceOf(platform, program);
        if (known && *known == lookup.key) return lookup;
        lookup.iconAsked = true;
        lookup.icon = FileIconOf(platform, program, iconSize);
    } catch (...) {
        TraceCaughtFailure();
    }
    return lookup;
}

bool ProgramMissingFromFixedDrive(FileSystem& files, const std::wstring& program) noexcept {
    try {
        const std::wstring path = Trim(program);
        return files.IsOnFixedDrive(path) && files.GetAttributes(path) == kInvalidAttributes;
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

}  // namespace quillmark
