#pragma once
#include "platform/environment.h"

namespace quillmark {

class Win32Environment final : public Environment {
public:
    std::uint32_t GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) override;
    std::wstring ModuleFileName() override;
    LocalTime LocalTimeNow() override;
    std::uint64_t UtcNow() override;
    std::wstring ShortDate(std::uint64_t fileTime) noexcept override;
    bool RunningUnderWow64() noexcept override;
    std::wstring SystemFolder() override;
};

}  // namespace quillmark
