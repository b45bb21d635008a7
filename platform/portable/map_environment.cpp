#include "platform/portable/map_environment.h"

#include <cctype>
#include <cstring>

namespace quillmark {

std::string MapEnvironment::Key(const std::string& name) {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

void MapEnvironment::Set(const std::string& name, const std::string& value) { variables_[Key(name)] = value; }

void MapEnvironment::Unset(const std::string& name) { variables_.erase(Key(name)); }

std::uint32_t MapEnvironment::GetVariable(const std::string& name, char* buffer, std::uint32_t size) {
    const auto found = variables_.find(Key(name));
    if (found == variables_.end()) return 0;
    const std::string& value = found->second;
    const auto needed = static_cast<std::uint32_t>(value.size() + 1);
    if (buffer == nullptr || size < needed) return needed;
    std::memcpy(buffer, value.c_str(), needed);
    return needed - 1;
}

}  // namespace quillmark
