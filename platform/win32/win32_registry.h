#pragma once
#include "platform/registry.h"

namespace quillmark {

// Registry keys through advapi32: RegOpenKeyExW with only the rights asked
// for and the view asked for; RegCreateKeyExW only where a key is meant to be made.
class Win32Registry final : public Registry {
public:
    using Registry::OpenKey;
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, KeyAccess access,
                                         RegistryView view, std::uint32_t& error) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view,
                                           std::uint32_t& error) override;
    bool HasTwoViews() const override;
    std::wstring MessageFor(std::uint32_t error) const override;
};

}  // namespace quillmark
