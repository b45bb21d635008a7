#include "tests/ui/support/wine_settings.h"

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "tests/support/win32/running_under_wine.h"

namespace quillmark::uitest {

namespace {

using test_support::RunningUnderWine;

void SetUnlessPresent(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    if (!RunningUnderWine()) return;
    UniqueHkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return;
    RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void UseMetricCompatibleFontsUnderWine() {
    SetUnlessPresent(L"Software\\Wine\\Fonts\\Replacements", L"Times New Roman", L"Liberation Serif");
}

void KeepWebPagesClosedUnderWine() { SetUnlessPresent(L"Software\\Wine\\WineBrowser", L"Browsers", L"true"); }

}  // namespace quillmark::uitest
