#pragma once
#include <cstdint>
#include <string>

#include "platform/windows_error.h"

namespace quillmark {

// What MsiGetShortcutTargetA answers for a shortcut that is not advertised.
inline constexpr std::uint32_t kErrorFunctionFailed = 1627;
inline constexpr int kInstallStateUnknown = -1;
inline constexpr int kInstallStateLocal = 3;

// The Windows installer service's two calls for advertised shortcuts, in
// their wide forms, so no path is lost to the ANSI code page.
class Installer {
public:
    virtual ~Installer() = default;
    // MsiGetShortcutTargetW(shortcut, no product code, no feature id,
    // component code buffer): kErrorSuccess and the component code for an
    // advertised shortcut.
    virtual std::uint32_t GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) = 0;
    // MsiLocateComponentW(component, buffer, size kMaxPath). The buffer starts
    // as `path` and `path` becomes its text up to the first NUL afterwards, so
    // it is unchanged when the service writes nothing. Returns the state.
    virtual int LocateComponent(const std::wstring& componentCode, std::wstring& path) = 0;
};

}  // namespace quillmark
