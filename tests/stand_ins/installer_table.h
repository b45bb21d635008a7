#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/installer.h"

namespace quillmark {

// Stand-in for the installer service: which shortcut files are advertised
// (with their component code) and where each known component is installed.
// Paths match without regard to letter case.
class InstallerTable final : public Installer {
public:
    void AddAdvertised(const std::wstring& shortcutPath, const std::wstring& componentCode);
    void AddComponent(const std::wstring& componentCode, const std::wstring& installedPath);
    // One line per call: "GetShortcutTarget <path>", "LocateComponent <code>".
    const std::vector<std::wstring>& Calls() const { return calls_; }

    std::uint32_t GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) override;
    int LocateComponent(const std::wstring& componentCode, std::wstring& path) override;

private:
    std::map<std::wstring, std::wstring> advertised_;
    std::map<std::wstring, std::wstring> components_;
    std::vector<std::wstring> calls_;
};

}  // namespace quillmark
