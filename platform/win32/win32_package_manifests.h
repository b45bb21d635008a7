#pragma once
#include "platform/package_manifests.h"

namespace quillmark {

// Manifests through XmlLite, the XML reader Windows ships (xmllite.dll,
// loaded from System32 on first use rather than imported, so no file
// planted beside the exe can stand in for it).
class Win32PackageManifests final : public PackageManifests {
public:
    bool ReadStartupTasks(const std::wstring& path, std::vector<ManifestStartupTask>& tasks) noexcept override;
};

}  // namespace quillmark
