#include "tests/stand_ins/memory_registry.h"

#include <algorithm>

#include "tests/stand_ins/text_case.h"

namespace quillmark {

namespace {

constexpr std::uint32_t kErrorKeyDeleted = 1018;  // ERROR_KEY_DELETED

// What a handle from OpenKey sees: the key's live data, so changes made
// after the open are visible, as they are through a real HKEY.
// KEY_SET_VALUE alone lets no value be read, and KEY_READ none be deleted.
class MemoryRegistryKey final : public RegistryKey {
public:
    MemoryRegistryKey(std::shared_ptr<MemoryRegistry::Key> key, KeyAccess access)
        : key_(std::move(key)), readable_(access == KeyAccess::Read) {}

    bool QueryInfo(std::uint32_t& valueCount, std::uint32_t& maxValueNameLength) override {
        if (key_->deleted || !readable_) return false;
        valueCount = static_cast<std::uint32_t>(key_->values.size());
        maxValueNameLength = 0;
        for (const auto& value : key_->values) {
            maxValueNameLength = std::max(maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
        }
        return true;
    }

    bool EnumValueName(std::uint32_t index, std::uint32_t bufferLength, std::wstring& name) override {
        if (key_->deleted || !readable_ || index >= key_->values.size()) return false;
        const std::wstring& found = key_->values[index].name;
        // ERROR_MORE_DATA: the buffer must hold the name and its terminator.
        if (found.size() + 1 > bufferLength) return false;
        name = found;
        return true;
    }

    std::uint32_t EnumSubkeyName(std::uint32_t index, std::wstring& name) override {
        if (key_->deleted) return kErrorKeyDeleted;
        if (!readable_) return kErrorAccessDenied;
        if (index >= key_->subkeys.size()) return kErrorNoMoreItems;
        const std::wstring& found = std::next(key_->subkeys.begin(), index)->second;
        if (found.size() > 255) return kErrorMoreData;
        name = found;
        return kErrorSuccess;
    }

    bool QueryValueInfo(const std::wstring& name, std::uint32_t& type, std::uint32_t& size) override {
        if (key_->deleted || !readable_) return false;
        const auto* value = key_->Find(name);
        if (value == nullptr) return false;
        type = value->type;
        size = static_cast<std::uint32_t>(value->data.size());
        return true;
    }

    bool ReadValueData(const std::wstring& name, std::uint32_t size, std::vector<std::uint8_t>& data) override {
        if (key_->deleted || !readable_) return false;
        const auto* value = key_->Find(name);
        if (value == nullptr || value->unreadable || value->data.size() > size) return false;
        data = value->data;
        return true;
    }

    std::uint32_t DeleteValue(const std::wstring& name) override {
        if (readable_) return kErrorAccessDenied;
        if (key_->deleted || key_->Find(name) == nullptr) return kErrorFileNotFound;
        key_->Erase(name);
        return kErrorSuccess;
    }

    std::uint32_t WriteValue(const std::wstring& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) override {
        if (readable_) return kErrorAccessDenied;
        // A key deleted under an open handle takes no new values.
        if (key_->deleted) return kErrorKeyDeleted;
        MemoryRegistry::Value& value = key_->Put(name);
        value.type = type;
        value.data = data;
        value.unreadable = false;
        return kErrorSuccess;
    }

private:
    std::shared_ptr<MemoryRegistry::Key> key_;
    bool readable_;
};

// Windows ignores a trailing backslash; the caller strips the leading one.
std::wstring CleanPath(const std::wstring& path) {
    std::wstring clean = path;
    while (!clean.empty() && clean.back() == L'\\') clean.pop_back();
    return clean;
}

}  // namespace

MemoryRegistry::Value* MemoryRegistry::Key::Find(const std::wstring& name) {
    const auto found = positions_.find(CaseKey(name));
    return found == positions_.end() ? nullptr : &values[found->second];
}

MemoryRegistry::Value& MemoryRegistry::Key::Put(const std::wstring& name) {
    const auto [slot, added] = positions_.emplace(CaseKey(name), values.size());
    if (added) values.push_back(Value{name, kRegNone, {}, false});
    return values[slot->second];
}

void MemoryRegistry::Key::Erase(const std::wstring& name) {
    const auto found = positions_.find(CaseKey(name));
    if (found == positions_.end()) return;
    const std::size_t erased = found->second;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(erased));
    positions_.erase(found);
    // Later values move up one place, as they do in a hive.
    if (erased == values.size()) return;
    for (auto& [folded, position] : positions_) {
        if (position > erased) --position;
    }
}

MemoryRegistry::MemoryRegistry() {
    CreateKeyData(RegistryRoot::CurrentUser, L"");
    CreateKeyData(RegistryRoot::LocalMachine, L"");
}

std::wstring MemoryRegistry::KeyId(RegistryRoot root, const std::wstring& path) {
    const std::wstring prefix = root == RegistryRoot::CurrentUser ? L"HKCU" : L"HKLM";
    const std::wstring clean = CleanPath(path);
    return clean.empty() ? prefix : prefix + L"\\" + CaseKey(clean);
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::FindKey(RegistryRoot root, const std::wstring& path) const {
    const auto found = keys_.find(KeyId(root, path));
    return found == keys_.end() ? nullptr : found->second;
}

bool MemoryRegistry::SplitLast(const std::wstring& path, std::wstring& parent, std::wstring& name) {
    const std::wstring clean = CleanPath(path);
    if (clean.empty()) return false;
    const auto separator = clean.rfind(L'\\');
    parent = separator == std::wstring::npos ? std::wstring() : clean.substr(0, separator);
    name = separator == std::wstring::npos ? clean : clean.substr(separator + 1);
    return true;
}

MemoryRegistry::Key& MemoryRegistry::CreateKeyData(RegistryRoot root, const std::wstring& path) {
    const std::wstring clean = CleanPath(path);
    auto& slot = keys_[KeyId(root, clean)];
    if (slot) return *slot;
    slot = std::make_shared<Key>();
    Key& key = *slot;
    // Parents first, so every prefix of an existing key exists too.
    std::wstring parent;
    std::wstring name;
    if (SplitLast(clean, parent, name)) CreateKeyData(root, parent).subkeys.emplace(CaseKey(name), name);
    return key;
}

MemoryRegistry::KeyRights MemoryRegistry::RightsOf(RegistryRoot root, const std::wstring& path) const {
    std::wstring at = CleanPath(path);
    for (;;) {
        const auto key = FindKey(root, at);
        if (key && key->rights) return *key->rights;
        if (at.empty()) return KeyRights::Full;
        const auto separator = at.rfind(L'\\');
        at = separator == std::wstring::npos ? std::wstring() : at.substr(0, separator);
    }
}

// The 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE is its WOW6432Node subkey;
// a 32-bit process lands there unless it asks for the 64-bit view.
std::wstring MemoryRegistry::PathInView(RegistryRoot root, const std::wstring& path, RegistryView view) const {
    const bool in32 = view == RegistryView::Bits32 || (view == RegistryView::Default && process32_);
    if (!twoViews_ || !in32 || root != RegistryRoot::LocalMachine) return path;
    const std::wstring folded = CaseKey(CleanPath(path));
    const std::wstring software = CaseKey(L"SOFTWARE");
    const std::wstring node = CaseKey(L"WOW6432Node");
    if (folded != software && folded.rfind(software + L"\\", 0) != 0) return path;
    const std::wstring rest = CleanPath(path).substr(software.size());
    if (CaseKey(rest).rfind(L"\\" + node, 0) == 0) return path;
    return L"SOFTWARE\\WOW6432Node" + rest;
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(RegistryRoot root, const std::wstring& path, KeyAccess access,
                                                     RegistryView view, std::uint32_t& error) {
    // Windows refuses a path that starts with a backslash (ERROR_BAD_PATHNAME).
    constexpr std::uint32_t kErrorBadPathname = 161;
    if (!path.empty() && path.front() == L'\\') {
        error = kErrorBadPathname;
        return nullptr;
    }
    const std::wstring viewed = PathInView(root, path, view);
    auto key = FindKey(root, viewed);
    const KeyRights rights = key ? RightsOf(root, viewed) : KeyRights::Full;
    if (!key) {
        error = kErrorFileNotFound;
    } else if (rights == KeyRights::None || (rights == KeyRights::ReadOnly && access != KeyAccess::Read)) {
        error = kErrorAccessDenied;
    } else {
        error = kErrorSuccess;
        return std::make_unique<MemoryRegistryKey>(std::move(key), access);
    }
    return nullptr;
}

std::unique_ptr<RegistryKey> MemoryRegistry::CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view,
                                                       std::uint32_t& error) {
    const std::wstring viewed = PathInView(root, path, view);
    // Setting values in an existing key, and making a subkey of the nearest
    // existing parent, both need more than the right to read.
    if (RightsOf(root, viewed) != KeyRights::Full) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    CreateKeyData(root, viewed);
    error = kErrorSuccess;
    return std::make_unique<MemoryRegistryKey>(FindKey(root, viewed), KeyAccess::SetValue);
}

// The texts Windows gives for the codes the stand-in returns.
std::wstring MemoryRegistry::MessageFor(std::uint32_t error) const {
    switch (error) {
        case kErrorSuccess: return L"The operation completed successfully.";
        case kErrorFileNotFound: return L"The system cannot find the file specified.";
        case kErrorAccessDenied: return L"Access is denied.";
        case kErrorAccessDisabledByPolicy:
            return L"This program is blocked by group policy. For more information, contact your system administrator.";
        default: return L"System error " + std::to_wstring(error);
    }
}

void MemoryRegistry::CreateKey(RegistryRoot root, const std::wstring& path) { CreateKeyData(root, path); }

void MemoryRegistry::DeleteKey(RegistryRoot root, const std::wstring& path) {
    const std::wstring id = KeyId(root, path);
    std::wstring parent;
    std::wstring name;
    if (SplitLast(path, parent, name)) {
        if (auto above = FindKey(root, parent)) above->subkeys.erase(CaseKey(name));
    }
    for (auto it = keys_.begin(); it != keys_.end();) {
        const bool inside = it->first == id || it->first.rfind(id + L"\\", 0) == 0;
        if (inside && !CleanPath(path).empty()) {
            it->second->deleted = true;
            it = keys_.erase(it);
        } else {
            ++it;
        }
    }
}

bool MemoryRegistry::KeyExists(RegistryRoot root, const std::wstring& path) const { return FindKey(root, path) != nullptr; }

void MemoryRegistry::SetValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                              std::uint32_t type, std::vector<std::uint8_t> data) {
    // A rewrite keeps the value's name, place and spelling; only its data changes.
    Value& value = CreateKeyData(root, path).Put(name);
    value.type = type;
    value.data = std::move(data);
    value.unreadable = false;
}

void MemoryRegistry::SetString(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                               const std::wstring& text, std::uint32_t type) {
    std::vector<std::uint8_t> data;
    const auto append = [&data](std::uint32_t unit) {
        data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        data.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    for (const wchar_t c : text + L'\0') {
        const auto code = static_cast<std::uint32_t>(c);
        // A wide character is 32 bits on Linux: store what lies beyond the
        // BMP as the surrogate pair Windows would hold.
        if (code > 0xFFFF) {
            append(0xD800 + ((code - 0x10000) >> 10));
            append(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            append(code);
        }
    }
    SetValue(root, path, name, type, std::move(data));
}

void MemoryRegistry::DeleteValue(RegistryRoot root, const std::wstring& path, const std::wstring& name) {
    if (auto key = FindKey(root, path)) key->Erase(name);
}

bool MemoryRegistry::ValueExists(RegistryRoot root, const std::wstring& path, const std::wstring& name) const {
    return FindValue(root, path, name) != nullptr;
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(RegistryRoot root, const std::wstring& path,
                                                       const std::wstring& name) const {
    const auto key = FindKey(root, path);
    if (!key) return nullptr;
    return key->Find(name);
}

void MemoryRegistry::DenyAccess(RegistryRoot root, const std::wstring& path, bool denied) {
    auto& rights = CreateKeyData(root, path).rights;
    if (denied) {
        rights = KeyRights::None;
    } else {
        rights.reset();
    }
}

void MemoryRegistry::MakeReadOnly(RegistryRoot root, const std::wstring& path) {
    CreateKeyData(root, path).rights = KeyRights::ReadOnly;
}

void MemoryRegistry::MakeUnreadable(RegistryRoot root, const std::wstring& path, const std::wstring& name) {
    if (auto key = FindKey(root, path)) {
        if (auto* value = key->Find(name)) value->unreadable = true;
    }
}

}  // namespace quillmark
