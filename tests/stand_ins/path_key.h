#pragma once
#include <string>

namespace quillmark {

// Windows file names match without regard to letter case; the stand-ins key
// their tables by this folded form.
std::wstring PathKey(const std::wstring& path);
std::string PathKey(const std::string& path);

}  // namespace quillmark
