#include "platform/win32/win32_environment.h"

#include <windows.h>

#include "platform/win32/wow64.h"

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

std::uint64_t Win32Environment::UtcNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::wstring Win32Environment::ShortDate(std::uint64_t fileTime) noexcept {
    const FILETIME utcTime{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    // The date the user saw on the calendar then, in the time zone's rules
    // for that day (daylight saving included), not today's offset.
    if (!FileTimeToSystemTime(&utcTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
    const int size = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, nullptr, 0, nullptr);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written =
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, text.data(), size, nullptr);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written) - 1);
    return text;
}

bool Win32Environment::RunningUnderWow64() noexcept { return quillmark::RunningUnderWow64(); }

std::wstring Win32Environment::SystemFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

}  // namespace quillmark
