#pragma once
#include <cstdint>
#include <string>

namespace quillmark {

// The private-profile calls behind the settings file. The file's path is
// UTF-16, so a documents folder outside the ANSI code page still reaches the
// file; section, key and value are ANSI text, which the file keeps in the
// ANSI code page as it always has.
class PrivateProfile {
public:
    virtual ~PrivateProfile() = default;
    // GetPrivateProfileString into a buffer of `bufferSize` characters: the
    // value (blanks around it and one pair of enclosing quotes removed, at
    // most bufferSize - 1 characters), or `defaultValue` when the file,
    // section or key is absent. Section and key match without regard to case.
    virtual std::string ReadString(const std::wstring& file, const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::uint32_t bufferSize) = 0;
    // WritePrivateProfileString: creates the file and the section when
    // missing and writes through at once. False when the file cannot be written.
    virtual bool WriteString(const std::wstring& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace quillmark
