#include "platform/win32/wow64.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace quillmark {

namespace {

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

bool AskWow64() noexcept {
    // A system that cannot find the library must not put up its
    // "cannot find file" box in front of the starting window.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // kernel32 is loaded in every process; the reference is released at once.
    const UniqueModule kernel32(LoadLibraryW(L"kernel32.dll"));
    SetErrorMode(previousMode);
    if (!kernel32) return false;

    bool wow64 = false;
    const auto isWow64Process =
        reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(GetProcAddress(kernel32.get(), "IsWow64Process")));
    BOOL answer = FALSE;
    if (isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &answer) != FALSE) wow64 = answer != FALSE;
    return wow64;
}

}  // namespace

bool RunningUnderWow64() noexcept {
    static const bool wow64 = AskWow64();
    return wow64;
}

}  // namespace quillmark
