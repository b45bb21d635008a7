#include "tests/stand_ins/installer_table.h"

#include "tests/stand_ins/path_key.h"
#include "platform/shell_links.h"

namespace quillmark {

void InstallerTable::AddAdvertised(const std::wstring& shortcutPath, const std::wstring& componentCode) {
    advertised_[PathKey(shortcutPath)] = componentCode;
}

void InstallerTable::AddComponent(const std::wstring& componentCode, const std::wstring& installedPath) {
    components_[PathKey(componentCode)] = installedPath;
}

std::uint32_t InstallerTable::GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) {
    calls_.push_back(L"GetShortcutTarget " + shortcutPath);
    const auto found = advertised_.find(PathKey(shortcutPath));
    if (found == advertised_.end()) return kErrorFunctionFailed;
    componentCode = found->second;
    return kErrorSuccess;
}

int InstallerTable::LocateComponent(const std::wstring& componentCode, std::wstring& path) {
    calls_.push_back(L"LocateComponent " + componentCode);
    const auto found = components_.find(PathKey(componentCode));
    // An unknown component writes nothing into the buffer.
    if (found == components_.end()) return kInstallStateUnknown;
    path = found->second.size() < kMaxPath ? found->second : found->second.substr(0, kMaxPath - 1);
    return kInstallStateLocal;
}

}  // namespace quillmark
