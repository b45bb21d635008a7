#include "platform/registry_accessor.h"

#include "platform/error.h"

namespace quillmark {

namespace {

void RequireString(const std::wstring& name, std::uint32_t type) {
    if (type != kRegSz && type != kRegExpandSz) throw Error(FormatMessageText(L"Invalid data type for '%s'", name));
}

// Registry string data as UTF-16 units (little-endian byte pairs), cut at
// the first NUL. A stray last byte of odd-sized data becomes a unit of its
// own with a zero high byte, the same way a 1-byte value reads as one
// character; data without a terminator simply ends where the bytes end.
std::wstring TextOfData(const std::vector<std::uint8_t>& data) {
    std::wstring text;
    text.reserve((data.size() + 1) / 2);
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const unsigned low = data[i];
        const unsigned high = i + 1 < data.size() ? data[i + 1] : 0u;
        const auto unit = static_cast<wchar_t>(low | (high << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

}  // namespace

RegistryAccessor::RegistryAccessor(Registry& registry) : registry_(registry) {}

bool RegistryAccessor::OpenKey(const std::wstring& path, KeyAccess access) {
    CloseKey();
    // The leading backslash only says "from the root"; RegOpenKeyExW itself
    // rejects a path that starts with one.
    const std::wstring relative = !path.empty() && path.front() == L'\\' ? path.substr(1) : path;
    key_ = registry_.OpenKey(root_, relative, access, view_, openError_);
    return key_ != nullptr;
}

void RegistryAccessor::GetValueNames(std::vector<std::wstring>& names) {
    names.clear();
    if (!key_) return;
    std::uint32_t count = 0;
    std::uint32_t longest = 0;
    if (!key_->QueryInfo(count, longest)) return;
    for (std::uint32_t index = 0; index < count; ++index) {
        std::wstring name;
        // A value removed or renamed since the count was taken fails its
        // index; it is left out rather than listed as an empty name.
        if (key_->EnumValueName(index, longest + 1, name)) names.push_back(std::move(name));
    }
}

std::wstring RegistryAccessor::ReadString(const std::wstring& name) {
    if (!key_) return {};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (!key_->QueryValueInfo(name, type, size)) return {};
    RequireString(name, type);
    if (size == 0) return {};
    // A single byte still asks for a whole character's room.
    const std::uint32_t bufferSize = size == 1 ? 2 : size;
    std::vector<std::uint8_t> data;
    if (!key_->ReadValueData(name, bufferSize, data)) throw Error(FormatMessageText(L"Failed to get data for '%s'", name));
    return TextOfData(data);
}

std::wstring RegistryAccessor::StringOfValue(const std::wstring& name, std::uint32_t type,
                                            const std::vector<std::uint8_t>& data) {
    RequireString(name, type);
    return TextOfData(data);
}

bool RegistryAccessor::ReadValue(const std::wstring& name, std::uint32_t& type, std::vector<std::uint8_t>& data) {
    std::uint32_t size = 0;
    if (!key_ || !key_->QueryValueInfo(name, type, size)) return false;
    return key_->ReadValueData(name, size, data);
}

std::uint32_t RegistryAccessor::DeleteValue(const std::wstring& name) {
    constexpr std::uint32_t kErrorInvalidHandle = 6;
    return key_ ? key_->DeleteValue(name) : kErrorInvalidHandle;
}

void RegistryAccessor::CloseKey() noexcept { key_.reset(); }

}  // namespace quillmark
