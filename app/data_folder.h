#pragma once
#include <string>

namespace quillmark {

struct Platform;

// `DataFolder`: the user's documents folder followed by "\\Quillmark", read
// in UTF-16 so a user name outside the ANSI code page is kept. Empty when
// the documents folder cannot be found: then there is no data folder (it
// would otherwise be "\\Quillmark" at the root of the current drive).
std::wstring DataFolder(const Platform& platform);

}  // namespace quillmark
