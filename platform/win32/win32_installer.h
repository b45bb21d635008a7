#pragma once
#include "platform/installer.h"

namespace quillmark {

class Win32Installer final : public Installer {
public:
    std::uint32_t GetShortcutTarget(const std::string& shortcutPath, std::string& componentCode) override;
    int LocateComponent(const std::string& componentCode, std::string& path) override;
};

}  // namespace quillmark
