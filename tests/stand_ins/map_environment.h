#pragma once
#include <map>
#include <string>

#include "platform/environment.h"

namespace quillmark {

// Environment stand-in: a name-to-value map, names matched without regard to
// ASCII letter case as Windows does.
class MapEnvironment final : public Environment {
public:
    void Set(const std::wstring& name, const std::wstring& value);
    void Unset(const std::wstring& name);
    std::uint32_t GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) override;
    void SetModuleFileName(std::wstring path) { moduleFileName_ = std::move(path); }
    std::wstring ModuleFileName() override { return moduleFileName_; }
    // A clock that stands still until a test moves it.
    void SetLocalTime(const LocalTime& now) { now_ = now; }
    LocalTime LocalTimeNow() override { return now_; }
    // A UTC clock that moves on one second each time it is read, as a real
    // one moves between two removals; a test may set it anywhere.
    void SetUtcNow(std::uint64_t fileTime) { utc_ = fileTime; }
    std::uint64_t UtcNow() override { return utc_ += 10000000; }
    // Always M/D/YYYY of the UTC date: a user in the United States at UTC.
    std::wstring ShortDate(std::uint64_t fileTime) noexcept override;
    // A 64-bit process (or 32-bit Windows) until a test says otherwise.
    void SetWow64(bool wow64) noexcept { wow64_ = wow64; }
    bool RunningUnderWow64() noexcept override { return wow64_; }
    void SetSystemFolder(std::wstring folder) { systemFolder_ = std::move(folder); }
    std::wstring SystemFolder() override { return systemFolder_; }

private:
    static std::wstring Key(const std::wstring& name);
    std::map<std::wstring, std::wstring> variables_;
    std::wstring moduleFileName_;
    LocalTime now_{2026, 12, 8, 9, 30, 0};
    std::uint64_t utc_ = 134411958000000000ull;  // 2026-12-08 09:30:00 UTC
    bool wow64_ = false;
    std::wstring systemFolder_ = L"C:\\WINDOWS\\system32";
};

}  // namespace quillmark
