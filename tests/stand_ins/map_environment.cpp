#include "tests/stand_ins/map_environment.h"

#include <algorithm>
#include <chrono>

namespace quillmark {

std::wstring MapEnvironment::Key(const std::wstring& name) {
    std::wstring key = name;
    for (wchar_t& c : key) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return key;
}

void MapEnvironment::Set(const std::wstring& name, const std::wstring& value) { variables_[Key(name)] = value; }

void MapEnvironment::Unset(const std::wstring& name) { variables_.erase(Key(name)); }

std::uint32_t MapEnvironment::GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) {
    const auto found = variables_.find(Key(name));
    if (found == variables_.end()) return 0;
    const std::wstring& value = found->second;
    const auto needed = static_cast<std::uint32_t>(value.size() + 1);
    if (buffer == nullptr || size < needed) return needed;
    std::copy_n(value.c_str(), needed, buffer);
    return needed - 1;
}

std::wstring MapEnvironment::ShortDate(std::uint64_t fileTime) noexcept {
    using namespace std::chrono;
    constexpr std::uint64_t kTicksPerDay = 864000000000ull;
    const year_month_day date{sys_days{year{1601} / January / 1} + days{fileTime / kTicksPerDay}};
    try {
        return std::to_wstring(static_cast<unsigned>(date.month())) + L"/" +
               std::to_wstring(static_cast<unsigned>(date.day())) + L"/" +
               std::to_wstring(static_cast<int>(date.year()));
    } catch (...) {
        return {};
    }
}

}  // namespace quillmark
