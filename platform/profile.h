#pragma once
#include <cstdint>
#include <string>

namespace quillmark {

// The ANSI private-profile calls behind the settings file. File path,
// section, key and value are all in the system's ANSI code page.
class PrivateProfile {
public:
    virtual ~PrivateProfile() = default;
    // GetPrivateProfileStringA into a buffer of `bufferSize` characters: the
    // value (blanks around it and one pair of enclosing quotes removed, at
    // most bufferSize - 1 characters), or `defaultValue` when the file,
    // section or key is absent. Section and key match without regard to case.
    virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::uint32_t bufferSize) = 0;
    // WritePrivateProfileStringA: creates the file and the section when
    // missing and writes through at once. False when the file cannot be written.
    virtual bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace quillmark
