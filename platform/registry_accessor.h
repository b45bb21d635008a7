#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quillmark {

class CodePage;

// The registry object Quillmark works through: a current root
// (HKEY_CURRENT_USER after creation) and view (the process's own), at most
// one open key opened with only the rights the work needs, never creating a
// key on open.
class RegistryAccessor {
public:
    explicit RegistryAccessor(Registry& registry);

    void SetRoot(RegistryRoot root) noexcept { root_ = root; }
    RegistryRoot Root() const noexcept { return root_; }
    void SetView(RegistryView view) noexcept { view_ = view; }
    RegistryView View() const noexcept { return view_; }
    // True on 64-bit Windows: HKEY_LOCAL_MACHINE\SOFTWARE has two views.
    bool HasTwoViews() const { return registry_.HasTwoViews(); }
    // Opens the key (a leading backslash means "from the root", which is
    // where every open starts anyway); closes the key that was open before.
    // Reading needs KEY_READ only; deleting values needs KeyAccess::SetValue.
    bool OpenKey(const std::wstring& path, KeyAccess access = KeyAccess::Read);
    // The Windows error code of the last open: kErrorSuccess when it opened.
    std::uint32_t OpenError() const noexcept { return openError_; }
    // Clears `names` and fills it with the open key's value names in index order.
    void GetValueNames(std::vector<std::wstring>& names);
    // REG_SZ / REG_EXPAND_SZ data as text, unexpanded, cut at the first NUL.
    // Empty when the value is absent. Throws Error "Invalid data type for '%s'"
    // for other types and "Failed to get data for '%s'" when the data read fails.
    std::wstring ReadString(const std::wstring& name);
    // ReadString's text of a value ReadValue has read already, without
    // reading it again; the same Error for a type that is not a string.
    static std::wstring StringOfValue(const std::wstring& name, std::uint32_t type,
                                      const std::vector<std::uint8_t>& data);
    // Any value's type and data exactly as stored; false when it is absent or
    // its data cannot be read.
    bool ReadValue(const std::wstring& name, std::uint32_t& type, std::vector<std::uint8_t>& data);
    // Deletes the value with exactly this name from a key opened with
    // KeyAccess::SetValue: the Windows error code, kErrorSuccess when it went.
    std::uint32_t DeleteValue(const std::wstring& name);
    // The system's text for a Windows error code.
    std::wstring MessageFor(std::uint32_t error) const { return registry_.MessageFor(error); }
    void CloseKey() noexcept;
    bool HasOpenKey() const noexcept { return key_ != nullptr; }

private:
    Registry& registry_;
    RegistryRoot root_ = RegistryRoot::CurrentUser;
    RegistryView view_ = RegistryView::Default;
    std::uint32_t openError_ = kErrorSuccess;
    std::unique_ptr<RegistryKey> key_;
};

}  // namespace quillmark
