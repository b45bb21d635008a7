#pragma once
#include "platform/installer.h"

namespace quillmark {

class Win32Installer final : public Installer {
public:
    std::uint32_t GetShortcutTarget(const std::wstring& shortcutPath, std::wstring& componentCode) override;
    int LocateComponent(const std::wstring& componentCode, std::wstring& path) override;
};

}  // namespace quillmark
