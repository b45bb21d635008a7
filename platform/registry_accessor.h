#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quillmark {

class CodePage;

// The registry object Quillmark works through: a current root
// (HKEY_CURRENT_USER after creation), at most one open key, full access,
// never creating a key on open.
class RegistryAccessor {
public:
    explicit RegistryAccessor(Registry& registry);

    void SetRoot(RegistryRoot root) noexcept { root_ = root; }
    RegistryRoot Root() const noexcept { return root_; }
    // Opens the key (a leading backslash means "from the root", which is
    // where every open starts anyway); closes the key that was open before.
    bool OpenKey(const std::wstring& path);
    // Clears `names` and fills it with the open key's value names in index order.
    void GetValueNames(std::vector<std::wstring>& names);
    // REG_SZ / REG_EXPAND_SZ data as text, unexpanded, cut at the first NUL.
    // Empty when the value is absent. Throws Error "Invalid data type for '%s'"
    // for other types and "Failed to get data for '%s'" when the data read fails.
    std::wstring ReadString(const std::wstring& name);
    // Deletes the value with exactly this name; the outcome is not reported.
    void DeleteValue(const std::wstring& name);
    void CloseKey() noexcept;
    bool HasOpenKey() const noexcept { return key_ != nullptr; }

private:
    Registry& registry_;
    RegistryRoot root_ = RegistryRoot::CurrentUser;
    std::unique_ptr<RegistryKey> key_;
};

}  // namespace quillmark
