#pragma once
#include <optional>
#include <string>

#include "platform/shell.h"

namespace quillmark {

class MemoryRegistry;
class MemoryFileSystem;

// The stand-in's SHGetKnownFolderPath: like Windows, it reads the folder
// from the "User Shell Folders" key (where folder redirection writes it,
// current user's key for Startup, the machine's for the common folders) and
// verifies that the folder exists. Unlike Windows, a missing value fails
// rather than giving the profile's default, and %NAME% is not expanded.
std::optional<std::wstring> UserShellFolder(const MemoryRegistry& registry, MemoryFileSystem& files,
                                            KnownFolder folder);

}  // namespace quillmark
