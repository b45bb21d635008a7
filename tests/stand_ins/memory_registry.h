#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quillmark {

// In-memory registry for native tests. Key paths and value names compare
// without regard to letter case, as Windows does; a key's values enumerate
// in the order they were first written (a rewrite keeps the place), which is
// what Windows does with a hive. Both roots always exist. Rights are set per
// key and hold for its subkeys unless one sets its own, as inherited ACLs do.
// Like 64-bit Windows (unless told otherwise), HKEY_LOCAL_MACHINE\SOFTWARE has
// a 32-bit view stored under SOFTWARE\WOW6432Node; this process is 64-bit
// (unless told otherwise), so its default view is the 64-bit one.
class MemoryRegistry final : public Registry {
public:
    enum class KeyRights { Full, ReadOnly, None };
    struct Value {
        std::wstring name;
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
        bool unreadable = false;  // the data read fails, as when it changes under the reader
    };
    struct Key {
        std::vector<Value> values;  // in enumeration order
        // Upper-cased name -> name as first created: a Windows hive keeps
        // subkeys sorted by upper-cased name, and RegEnumKeyExW lists them so.
        std::map<std::wstring, std::wstring> subkeys;
        std::optional<KeyRights> rights;  // none: those of the parent
        bool deleted = false;  // set when the key goes while a handle is still open

        // Looks values up through an index of case-folded names, so a key
        // with thousands of values stays cheap to seed and to read.
        Value* Find(const std::wstring& name);
        Value& Put(const std::wstring& name);  // the existing value, or a new one at the end
        void Erase(const std::wstring& name);

    private:
        std::map<std::wstring, std::size_t> positions_;  // folded name -> index in values
    };

    MemoryRegistry();

    using Registry::OpenKey;
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, KeyAccess access,
                                         RegistryView view, std::uint32_t& error) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view,
                                           std::uint32_t& error) override;
    bool HasTwoViews() const override { return twoViews_; }
    std::wstring MessageFor(std::uint32_t error) const override;

    // False: 32-bit Windows, one view, the view flags change nothing.
    void SetTwoViews(bool twoViews) { twoViews_ = twoViews; }
    // True: this process is a 32-bit one under WOW64, whose default view of
    // HKEY_LOCAL_MACHINE\SOFTWARE is the 32-bit one.
    void SetProcessIs32Bit(bool is32Bit) { process32_ = is32Bit; }

    // Seeding and inspection for tests. Paths are relative to the root; the
    // set functions create the key and its parents as needed.
    void CreateKey(RegistryRoot root, const std::wstring& path);
    void DeleteKey(RegistryRoot root, const std::wstring& path);
    bool KeyExists(RegistryRoot root, const std::wstring& path) const;
    void SetValue(RegistryRoot root, const std::wstring& path, const std::wstring& name, std::uint32_t type,
                  std::vector<std::uint8_t> data);
    // REG_SZ or REG_EXPAND_SZ data with its terminating NUL.
    void SetString(RegistryRoot root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
                   std::uint32_t type = kRegSz);
    void DeleteValue(RegistryRoot root, const std::wstring& path, const std::wstring& name);
    bool ValueExists(RegistryRoot root, const std::wstring& path, const std::wstring& name) const;
    // The value as stored, or null.
    const Value* FindValue(RegistryRoot root, const std::wstring& path, const std::wstring& name) const;
    // Opening the key fails from now on, as with a key whose ACL denies us.
    void DenyAccess(RegistryRoot root, const std::wstring& path, bool denied = true);
    // The key and its subkeys open for reading only, as HKEY_LOCAL_MACHINE
    // does for a standard user.
    void MakeReadOnly(RegistryRoot root, const std::wstring& path);
    // The value's type and size can be queried but reading its data fails.
    void MakeUnreadable(RegistryRoot root, const std::wstring& path, const std::wstring& name);

private:
    static std::wstring KeyId(RegistryRoot root, const std::wstring& path);
    std::shared_ptr<Key> FindKey(RegistryRoot root, const std::wstring& path) const;
    Key& CreateKeyData(RegistryRoot root, const std::wstring& path);
    KeyRights RightsOf(RegistryRoot root, const std::wstring& path) const;
    // The key's parent path and its own name within it; false for a root.
    static bool SplitLast(const std::wstring& path, std::wstring& parent, std::wstring& name);
    std::wstring PathInView(RegistryRoot root, const std::wstring& path, RegistryView view) const;

    std::map<std::wstring, std::shared_ptr<Key>> keys_;
    bool twoViews_ = true;
    bool process32_ = false;
};

}  // namespace quillmark
