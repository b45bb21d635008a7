#pragma once
#include <cstdint>
#include <string>

namespace quillmark {

class Environment {
public:
    virtual ~Environment() = default;
    // GetEnvironmentVariableA: with a buffer too small (or none, size 0) returns
    // the size needed including the terminator; on success the length copied
    // without the terminator; 0 when the variable is undefined. Names match
    // without regard to letter case. Text is in the ANSI code page.
    virtual std::uint32_t GetVariable(const std::string& name, char* buffer, std::uint32_t size) = 0;
};

}  // namespace quillmark
