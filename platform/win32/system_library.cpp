#include "platform/win32/system_library.h"

#include <string>

namespace quillmark {

HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept {
    // No "cannot find file" box in front of the window for a missing library.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system without the search flags (Windows 7 before KB2533623) answers
    // ERROR_INVALID_PARAMETER: name the file by its full path there instead.
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        wchar_t system[MAX_PATH + 1] = L"";
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length != 0 && length <= MAX_PATH)
            library = LoadLibraryW((std::wstring(system) + L"\\" + fileName).c_str());
    }
    SetErrorMode(previousMode);
    return library;
}

}  // namespace quillmark
