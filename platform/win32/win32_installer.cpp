#include "platform/win32/win32_installer.h"

#include <windows.h>
#include <msi.h>

#include <vector>

#include "platform/shell_links.h"

namespace quillmark {

namespace {
// A component code is a GUID in braces: 38 characters and the terminator.
constexpr std::size_t kGuidLength = 39;
}  // namespace

std::uint32_t Win32Installer::GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) {
    wchar_t buffer[kGuidLength] = {};
    const UINT result = MsiGetShortcutTargetW(shortcutPath.c_str(), nullptr, nullptr, buffer);
    buffer[kGuidLength - 1] = L'\0';
    componentCode = buffer;
    return result;
}

int Win32Installer::LocateComponent(const std::wstring& componentCode, std::wstring& path) {
    std::vector<wchar_t> buffer(kMaxPath + 1, L'\0');
    path.copy(buffer.data(), kMaxPath);
    DWORD size = static_cast<DWORD>(kMaxPath);
    const INSTALLSTATE state = MsiLocateComponentW(componentCode.c_str(), buffer.data(), &size);
    buffer.back() = L'\0';
    path = buffer.data();
    return state;
}

}  // namespace quillmark
