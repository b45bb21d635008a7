#pragma once
#include <string>

#include "platform/hresult.h"

namespace quillmark {

struct Platform;

// What ResolveMsiShortcut learns about one shortcut, in the ANSI code page.
// Filled in this order; after a failure the fields reached so far stay set.
struct TLinkParams {
    std::string TargetPath;
    std::string Description;
    std::string Arguments;
    std::string WorkingDirectory;
};

// The target path of a ".lnk" location, or the location itself. Never fails.
std::wstring ResolveShortcutTarget(const Platform& platform, const std::wstring& location);
// Reads an advertised shortcut through the ANSI link object and asks the
// installer service where its program is. Returns kSOk, or the HRESULT of the
// first step that failed.
HResult ResolveMsiShortcut(const Platform& platform, const std::string& shortcutPath, TLinkParams& params);
// True when the text holds any of ? * " > < |
bool HasInvalidFileNameChar(const std::wstring& text);

}  // namespace quillmark
