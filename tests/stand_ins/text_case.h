#pragma once
#include <string>

namespace quillmark {

// Letter-case mapping of one UTF-16 unit as CharUpperBuffW / CharLowerBuffW
// do it, for Latin-1, Latin Extended-A, Greek and Cyrillic. Characters
// without a single-unit partner (sharp s, dotless i, final sigma, micro
// sign) stay as they are, as on Windows.
wchar_t UpperChar(wchar_t c) noexcept;
wchar_t LowerChar(wchar_t c) noexcept;

// Case-insensitive key for names Windows compares without regard to case
// (registry key and value names, file names).
std::wstring CaseKey(const std::wstring& text);

}  // namespace quillmark
