#pragma once
#include <memory>
#include <string>

#include "platform/hresult.h"

namespace quillmark {

struct Platform;
class WideShellLink;

// What ResolveMsiShortcut learns about one shortcut. Filled in this order;
// after a failure the fields reached so far stay set.
struct TLinkParams {
    std::wstring TargetPath;
    std::wstring Description;
    std::wstring Arguments;
    std::wstring WorkingDirectory;
};

// The target path of a ".lnk" location, or the location itself. Never fails.
std::wstring ResolveShortcutTarget(const Platform& platform, const std::wstring& location);

// ResolveShortcutTarget for many locations, with one shell link object kept
// from one shortcut to the next: making the object costs more than loading a
// file into it. The results are exactly ResolveShortcutTarget's. The object
// belongs to the COM apartment of the thread that made it: one resolver per
// thread.
class ShortcutResolver {
public:
    explicit ShortcutResolver(const Platform& platform) noexcept;
    ~ShortcutResolver();
    ShortcutResolver(const ShortcutResolver&) = delete;
    ShortcutResolver& operator=(const ShortcutResolver&) = delete;

    std::wstring Resolve(const std::wstring& location);

private:
    std::wstring StoredTarget(const std::wstring& location);
    void ReadTarget(WideShellLink& link, std::wstring& target);

    const Platform& platform_;
    // Holds the last shortcut that loaded; null until one has.
    std::unique_ptr<WideShellLink> link_;
};

// Reads an advertised shortcut through the link object and asks the installer
// service where its program is, all in UTF-16. Returns kSOk, or the HRESULT
// of the first step that failed.
HResult ResolveMsiShortcut(const Platform& platform, const std::wstring& shortcutPath, TLinkParams& params);
// True when the text holds any of ? * " > < |
bool HasInvalidFileNameChar(const std::wstring& text);

}  // namespace quillmark
