#pragma once
#include <cstdint>
#include <string>

namespace quillmark {

// A moment on the user's clock (GetLocalTime's SYSTEMTIME without weekday and milliseconds).
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Environment {
public:
    virtual ~Environment() = default;
    // GetEnvironmentVariableW: with a buffer too small (or none, size 0) returns
    // the size needed including the terminator; on success the length copied
    // without the terminator; 0 when the variable is undefined. Names match
    // without regard to letter case. Sizes count UTF-16 units.
    virtual std::uint32_t GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) = 0;
    // The running program's full path (GetModuleFileNameW of the exe), of any
    // length; empty when it cannot be read.
    virtual std::wstring ModuleFileName() = 0;
    // Now, in the user's local time.
    virtual LocalTime LocalTimeNow() = 0;
    // Now as a UTC FILETIME (100 ns units since 1601), which time zones and
    // daylight saving do not move.
    virtual std::uint64_t UtcNow() = 0;
    // A UTC FILETIME as a date in the user's time zone and short date format
    // (GetDateFormatEx, DATE_SHORTDATE); empty when it cannot be formatted.
    virtual std::wstring ShortDate(std::uint64_t fileTime) noexcept = 0;
    // True in a 32-bit process on 64-bit Windows (IsWow64Process), where the
    // file system shows SysWOW64 at System32 and ProgramFiles names the
    // "(x86)" folder. Asked once; false where the call is missing or fails.
    virtual bool RunningUnderWow64() noexcept = 0;
    // The System32 folder by the name Windows gives it (GetSystemDirectoryW),
    // under WOW64 too; empty when it cannot be read.
    virtual std::wstring SystemFolder() = 0;
};

}  // namespace quillmark
