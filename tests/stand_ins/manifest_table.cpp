#include "tests/stand_ins/manifest_table.h"

#include "tests/stand_ins/path_key.h"

namespace quillmark {

bool ManifestTable::ReadStartupTasks(const std::wstring& path, std::vector<ManifestStartupTask>& tasks) noexcept {
    if (fileExists_ && !fileExists_(path)) return false;
    const auto found = manifests_.find(PathKey(path));
    if (found == manifests_.end()) return false;
    tasks = found->second;
    return true;
}

void ManifestTable::Set(const std::wstring& path, std::vector<ManifestStartupTask> tasks) {
    manifests_[PathKey(path)] = std::move(tasks);
}

}  // namespace quillmark
