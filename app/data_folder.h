#pragma once
#include <string>

namespace quillmark {

struct Platform;

// `DataFolder`: the user's documents folder followed by "\Quillmark". When
// the documents folder cannot be found this is "\Quillmark" at the root of
// the current drive.
std::wstring DataFolder(const Platform& platform);

}  // namespace quillmark
