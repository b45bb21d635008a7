#pragma once
#include <string>

namespace quillmark {

// Text rules shared by the path functions.

// Without leading and trailing characters of code 32 or less.
std::wstring Trim(const std::wstring& text);
// From the last of ".", "\", ":" when that is a "." to the end; else empty.
std::wstring ExtractFileExt(const std::wstring& text);
// The part after the last "\" or ":".
std::wstring ExtractFileName(const std::wstring& text);

}  // namespace quillmark
