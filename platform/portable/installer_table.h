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
    void AddAdvertised(const std::string& shortcutPath, const std::string& componentCode);
    void AddComponent(const std::string& componentCode, const std::string& installedPath);
    // One line per call: "GetShortcutTarget <path>", "LocateComponent <code>".
    const std::vector<std::string>& Calls() const { return calls_; }

    std::uint32_t GetShortcutTarget(const std::string& shortcutPath, std::string& componentCode) override;
    int LocateComponent(const std::string& componentCode, std::string& path) override;

private:
    std::map<std::string, std::string> advertised_;
    std::map<std::string, std::string> components_;
    std::vector<std::string> calls_;
};

}  // namespace quillmark
