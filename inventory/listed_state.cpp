#include "inventory/listed_state.h"

namespace quillmark {

ListedState ListedFile(FileSystem& files, const std::wstring& path) {
    ListedState state;
    if (!files.FileExists(path)) return state;
    state.fileSize = files.FileSize(path);
    state.lastWriteTime = files.LastWriteTime(path);
    state.known = state.fileSize != kInvalidFileSize && state.lastWriteTime != 0;
    return state;
}

}  // namespace quillmark
