#include "shellpath/resolved_program.h"

#include "shellpath/command_line.h"
#include "shellpath/shortcut_target.h"

namespace quillmark {

std::wstring ResolvedProgramPath(const Platform& platform, const std::wstring& location) {
    return ProgramPathFromCommand(platform, ResolveShortcutTarget(platform, location));
}

std::wstring ResolvedProgramPath(const Platform& platform, ShortcutResolver& shortcuts, const std::wstring& location) {
    return ProgramPathFromCommand(platform, shortcuts.Resolve(location));
}

}  // namespace quillmark
