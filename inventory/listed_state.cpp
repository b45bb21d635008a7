#include "inventory/listed_state.h"

#include "platform/registry_accessor.h"

namespace quillmark {

ListedState ListedValue(RegistryAccessor& registry, const std::wstring& name) {
    ListedState state;
    state.known = registry.ReadValue(name, state.valueType, state.valueData);
    return state;
}

ListedState ListedFile(FileSystem& files, const std::wstring& path) {
    ListedState state;
    if (!files.FileExists(path)) return state;
    state.fileSize = files.FileSize(path);
    state.lastWriteTime = files.LastWriteTime(path);
    state.known = state.fileSize != kInvalidFileSize && state.lastWriteTime != 0;
    return state;
}

}  // namespace quillmark
