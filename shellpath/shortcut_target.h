#pragma once
#include <string>

namespace quillmark {

struct Platform;

// What ResolveMsiShortcut learns about one shortcut, in the ANSI code page.
struct TLinkParams {
    std::string TargetPath;
    std::string Description;
    std::string Arguments;
    std::string WorkingDirectory;
};

// The target path of a ".lnk" location, or the location itself. Never fails.
std::wstring ResolveShortcutTarget(const Platform& platform, const std::wstring& location);
// Asks the installer service where an advertised shortcut's program is.
// Returns S_OK, or the HRESULT of the first step that failed.
long ResolveMsiShortcut(const Platform& platform, const std::string& shortcutPath, TLinkParams& params);
// True when the text holds any of ? * " > < |
bool HasInvalidFileNameChar(const std::wstring& text);

}  // namespace quillmark
