#pragma once
#include <string>

namespace quillmark {

// The system's ANSI code page and letter-case mapping.
class CodePage {
public:
    virtual ~CodePage() = default;
    // WideCharToMultiByte(CP_ACP): characters the code page lacks become a
    // best-fit look-alike or "?".
    virtual std::string ToAnsi(const std::wstring& text) const = 0;
    // MultiByteToWideChar(CP_ACP).
    virtual std::wstring FromAnsi(const std::string& text) const = 0;
    // CharUpperBuffW / CharLowerBuffW on a copy.
    virtual std::wstring Upper(const std::wstring& text) const = 0;
    virtual std::wstring Lower(const std::wstring& text) const = 0;

    // The text after a trip to ANSI and back.
    std::wstring RoundTrip(const std::wstring& text) const { return FromAnsi(ToAnsi(text)); }
};

}  // namespace quillmark
