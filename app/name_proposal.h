#pragma once
#include <string>

namespace quillmark {

// The name the add panel proposes for a path: the file name with its
// extension, or for an address that starts with "http" (exact case) its host
// and path without the slashes.
std::wstring ProposedName(const std::wstring& path);

}  // namespace quillmark
