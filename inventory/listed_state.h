#pragma once
#include <cstdint>
#include <vector>

#include "platform/file_system.h"

namespace quillmark {

// What a row's source was when the list was loaded, so that removal takes it
// only while it is still that: a Run value's type and data bytes, a Startup
// file's size and last-write time. Unknown when the load could not read it.
struct ListedState {
    bool known = false;
    std::uint32_t valueType = 0;
    std::vector<std::uint8_t> valueData;
    std::uint64_t fileSize = kInvalidFileSize;
    std::uint64_t lastWriteTime = 0;

    friend bool operator==(const ListedState&, const ListedState&) = default;
};

// The file as it is now; unknown when it cannot be read.
ListedState ListedFile(FileSystem& files, const std::wstring& path);

}  // namespace quillmark
