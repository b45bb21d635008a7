#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/package_manifests.h"

namespace quillmark {

// Stand-in for the manifest reader: what each manifest declares comes from
// a table, not from parsing. A manifest is read only while its file exists
// (PortablePlatform wires that to the memory file tree); a path the table
// does not hold reads as a file that is no manifest.
class ManifestTable final : public PackageManifests {
public:
    bool ReadStartupTasks(const std::wstring& path, std::vector<ManifestStartupTask>& tasks) noexcept override;

    // Letter case of the path does not matter, as on Windows.
    void Set(const std::wstring& path, std::vector<ManifestStartupTask> tasks);
    void SetFileExists(std::function<bool(const std::wstring&)> fileExists) { fileExists_ = std::move(fileExists); }

private:
    std::map<std::wstring, std::vector<ManifestStartupTask>> manifests_;  // by PathKey
    std::function<bool(const std::wstring&)> fileExists_;
};

}  // namespace quillmark
