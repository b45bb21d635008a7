#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace quillmark {

// One startup task a package's manifest declares: a StartupTask element
// inside an Extension of category "windows.startupTask".
struct ManifestStartupTask {
    std::wstring taskId;       // the StartupTask's TaskId
    std::wstring displayName;  // its DisplayName as written (may be an "ms-resource:" name); empty when absent
    // The Extension's Executable, else that of the Application holding it, as
    // written: relative to the package's folder. Empty when neither has one.
    std::wstring executable;
    bool operator==(const ManifestStartupTask&) const = default;
};

// Reads package manifests (AppxManifest.xml). Whoever can write the file can
// put anything in it, so the reader bounds what it takes: the file's size,
// the depth of its elements, and no document type (no entities to expand,
// nothing fetched from elsewhere).
class PackageManifests {
public:
    virtual ~PackageManifests() = default;
    // Every startup task of the manifest at `path`, in document order. False
    // (and `tasks` untouched) when the file is missing, is a link, cannot be
    // read, is larger than kMaxManifestBytes or is no well-formed document
    // within the bounds above. Never throws.
    virtual bool ReadStartupTasks(const std::wstring& path, std::vector<ManifestStartupTask>& tasks) noexcept = 0;
};

// Real manifests are some tens of kilobytes; a file many times that size is
// refused rather than read.
inline constexpr std::size_t kMaxManifestBytes = 4 * 1024 * 1024;
// The manifest's tasks sit at depth 6 (Package, Applications, Application,
// Extensions, Extension, StartupTask); other extensions nest a few levels
// more. Deeper documents are refused.
inline constexpr unsigned kMaxManifestDepth = 32;

}  // namespace quillmark
