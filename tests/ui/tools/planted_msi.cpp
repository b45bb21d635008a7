// A DLL named msi.dll for the UI tests to plant beside a copy of
// Quillmark.exe: when any process loads it, it writes "<its own path>.loaded".
// It exports the installer calls Quillmark uses, failing, so that a program
// importing them statically would start with it.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) UINT WINAPI MsiGetShortcutTargetW(LPCWSTR, LPWSTR, LPWSTR, LPWSTR) {
    return ERROR_CALL_NOT_IMPLEMENTED;
}

extern "C" __declspec(dllexport) int WINAPI MsiLocateComponentW(LPCWSTR, LPWSTR, DWORD*) { return -1; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size())));
    const HANDLE file = CreateFileW((path + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
