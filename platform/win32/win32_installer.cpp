#include "platform/win32/win32_installer.h"

#include <windows.h>

#include <vector>

#include "platform/shell_links.h"
#include "platform/win32/system_library.h"

namespace quillmark {

namespace {

// A component code is a GUID in braces: 38 characters and the terminator.
constexpr std::size_t kGuidLength = 39;
constexpr std::uint32_t kErrorCallNotImplemented = 120;

using GetShortcutTargetFunction = UINT(WINAPI*)(LPCWSTR, LPWSTR, LPWSTR, LPWSTR);
using LocateComponentFunction = int(WINAPI*)(LPCWSTR, LPWSTR, DWORD*);

// msi.dll is no KnownDLL: imported statically, Windows would look for it in
// the exe's folder first. It is loaded from System32 on first use instead,
// and only when a shortcut looks advertised.
struct InstallerCalls {
    GetShortcutTargetFunction getShortcutTarget = nullptr;
    LocateComponentFunction locateComponent = nullptr;
};

template <typename Function>
Function Lookup(HMODULE library, const char* name) noexcept {
    return library == nullptr ? nullptr
                              : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Shortcut workers may ask at once: the static's initialisation is thread-safe.
const InstallerCalls& Calls() noexcept {
    static const InstallerCalls calls = [] {
        const HMODULE library = LoadSystemLibrary(L"msi.dll");
        return InstallerCalls{Lookup<GetShortcutTargetFunction>(library, "MsiGetShortcutTargetW"),
                              Lookup<LocateComponentFunction>(library, "MsiLocateComponentW")};
    }();
    return calls;
}

}  // namespace

std::uint32_t Win32Installer::GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) {
    wchar_t buffer[kGuidLength] = {};
    const auto function = Calls().getShortcutTarget;
    const UINT result =
        function == nullptr ? kErrorCallNotImplemented : function(shortcutPath.c_str(), nullptr, nullptr, buffer);
    buffer[kGuidLength - 1] = L'\0';
    componentCode = buffer;
    return result;
}

int Win32Installer::LocateComponent(const std::wstring& componentCode, std::wstring& path) {
    std::vector<wchar_t> buffer(kMaxPath + 1, L'\0');
    path.copy(buffer.data(), kMaxPath);
    DWORD size = static_cast<DWORD>(kMaxPath);
    const auto function = Calls().locateComponent;
    const int state =
        function == nullptr ? kInstallStateUnknown : function(componentCode.c_str(), buffer.data(), &size);
    buffer.back() = L'\0';
    path = buffer.data();
    return state;
}

}  // namespace quillmark
