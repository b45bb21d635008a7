#include "tests/ui/support/wine_fonts.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace quillmark::uitest {

namespace {
bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
}  // namespace

void UseMetricCompatibleFontsUnderWine() {
    if (!RunningUnderWine()) return;
    UniqueHkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    const wchar_t name[] = L"Times New Roman";
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return;
    const wchar_t replacement[] = L"Liberation Serif";
    RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(replacement), sizeof(replacement));
}

}  // namespace quillmark::uitest
