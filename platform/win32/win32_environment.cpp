#include "platform/win32/win32_environment.h"

#include <windows.h>

namespace quillmark {

std::uint32_t Win32Environment::GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) {
    return GetEnvironmentVariableW(name.c_str(), buffer, size);
}

std::wstring Win32Environment::ModuleFileName() {
    // A long path does not fit MAX_PATH: the call truncates and reports a full
    // buffer, so the buffer grows until the name fits (32,767 units at most).
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) {
            path.resize(length);
            return path;
        }
        if (size >= 32768) return {};
        path.resize(size * 2);
    }
}

LocalTime Win32Environment::LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace quillmark
