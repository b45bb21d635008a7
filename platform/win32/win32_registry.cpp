#include "platform/win32/win32_registry.h"

#include "platform/win32/handles.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wow64.h"

namespace quillmark {

namespace {

constexpr DWORD kMaxKeyNameLength = 255;

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    bool QueryInfo(std::uint32_t& valueCount, std::uint32_t& maxValueNameLength) override {
        DWORD count = 0;
        DWORD longest = 0;
        const LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                &count, &longest, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) return false;
        valueCount = count;
        maxValueNameLength = longest;
        return true;
    }

    bool EnumValueName(std::uint32_t index, std::uint32_t bufferLength, std::wstring& name) override {
        if (bufferLength == 0) return false;
        std::wstring buffer(bufferLength, L'\0');
        DWORD length = bufferLength;
        const LSTATUS status =
            RegEnumValueW(key_.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS || length >= bufferLength) return false;
        buffer.resize(length);
        name = std::move(buffer);
        return true;
    }

    std::uint32_t EnumSubkeyName(std::uint32_t index, std::wstring& name) override {
        // Room for the longest name a key may have and its terminator.
        wchar_t buffer[kMaxKeyNameLength + 1] = L"";
        DWORD length = kMaxKeyNameLength + 1;
        const LSTATUS status =
            RegEnumKeyExW(key_.get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) return static_cast<std::uint32_t>(status);
        if (length > kMaxKeyNameLength) return ERROR_MORE_DATA;
        name.assign(buffer, length);
        return ERROR_SUCCESS;
    }

    bool QueryValueInfo(const std::wstring& name, std::uint32_t& type, std::uint32_t& size) override {
        DWORD valueType = 0;
        DWORD dataSize = 0;
        if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, &valueType, nullptr, &dataSize) != ERROR_SUCCESS) {
            return false;
        }
        type = valueType;
        size = dataSize;
        return true;
    }

    bool ReadValueData(const std::wstring& name, std::uint32_t size, std::vector<std::uint8_t>& data) override {
        // One spare byte so a zero size still gives a valid buffer pointer.
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size) + 1, 0);
        DWORD dataSize = size;
        if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, nullptr, buffer.data(), &dataSize) != ERROR_SUCCESS ||
            dataSize > size) {
            return false;
        }
        buffer.resize(dataSize);
        data = std::move(buffer);
        return true;
    }

    std::uint32_t DeleteValue(const std::wstring& name) override {
        return static_cast<std::uint32_t>(RegDeleteValueW(key_.get(), name.c_str()));
    }

    std::uint32_t WriteValue(const std::wstring& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) override {
        // RegSetValueExW stores the bytes as given, terminator or not, so a
        // value comes back exactly as it was read.
        return static_cast<std::uint32_t>(RegSetValueExW(key_.get(), name.c_str(), 0, type,
                                                         data.empty() ? nullptr : data.data(),
                                                         static_cast<DWORD>(data.size())));
    }

private:
    UniqueHkey key_;
};

HKEY RootHandle(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM RightsOf(KeyAccess access) { return access == KeyAccess::SetValue ? KEY_SET_VALUE : KEY_READ; }

// On 32-bit Windows the WOW64 flags are ignored, so they can be passed as asked.
REGSAM ViewFlagOf(RegistryView view) {
    switch (view) {
        case RegistryView::Bits64: return KEY_WOW64_64KEY;
        case RegistryView::Bits32: return KEY_WOW64_32KEY;
        case RegistryView::Default: break;
    }
    return 0;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::wstring& path, KeyAccess access,
                                                    RegistryView view, std::uint32_t& error) {
    UniqueHkey key;
    const REGSAM rights = RightsOf(access) | ViewFlagOf(view);
    const LSTATUS status = RegOpenKeyExW(RootHandle(root), path.c_str(), 0, rights, key.put());
    error = static_cast<std::uint32_t>(status);
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view,
                                                      std::uint32_t& error) {
    UniqueHkey key;
    const REGSAM rights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | ViewFlagOf(view);
    const LSTATUS status = RegCreateKeyExW(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, rights,
                                           nullptr, key.put(), nullptr);
    error = static_cast<std::uint32_t>(status);
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

// A 64-bit build runs only on 64-bit Windows; a 32-bit one asks whether it
// runs under WOW64.
bool Win32Registry::HasTwoViews() const { return sizeof(void*) == 8 || RunningUnderWow64(); }

std::wstring Win32Registry::MessageFor(std::uint32_t error) const { return SystemMessage(error); }

}  // namespace quillmark
