#pragma once
#include <map>
#include <string>

#include "platform/environment.h"

namespace quillmark {

// Environment stand-in: a name-to-value map, names matched without regard to
// ASCII letter case as Windows does.
class MapEnvironment final : public Environment {
public:
    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);
    std::uint32_t GetVariable(const std::string& name, char* buffer, std::uint32_t size) override;

private:
    static std::string Key(const std::string& name);
    std::map<std::string, std::string> variables_;
};

}  // namespace quillmark
