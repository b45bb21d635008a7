#pragma once
#include "platform/registry.h"

namespace quillmark {

// Registry keys through advapi32: RegOpenKeyExW with KEY_ALL_ACCESS and no
// view flag, never RegCreateKeyExW.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path) override;
};

}  // namespace quillmark
