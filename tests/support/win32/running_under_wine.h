#pragma once
#include <windows.h>

namespace quillmark::test_support {

// Wine's ntdll exports wine_get_version; Windows' never does. Tests use it
// only to mark a check Wine cannot show as skipped, with the reason.
inline bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace quillmark::test_support
