#pragma once
#include <string>

namespace quillmark {

struct Platform;
class ShortcutResolver;

// The program a startup entry starts, the one its icon shows and its row
// commands open: a shortcut's target, then that command line's program.
std::wstring ResolvedProgramPath(const Platform& platform, const std::wstring& location);
// The same, reading shortcuts through a resolver that keeps its link object.
std::wstring ResolvedProgramPath(const Platform& platform, ShortcutResolver& shortcuts, const std::wstring& location);

}  // namespace quillmark
