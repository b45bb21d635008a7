#include "inventory/package_repository.h"

#include <array>

#include "platform/code_page.h"
#include "platform/platform.h"
#include "platform/registry.h"

namespace quillmark {

namespace {

// "Name_Version_Architecture_ResourceId_PublisherId"; the resource id is
// empty for the package that holds the apps.
struct FullNameParts {
    std::wstring name;
    std::array<std::uint32_t, 4> version{};  // all zero when unreadable: ranks below any real one
    std::wstring resourceId;
    std::wstring publisherId;
};

// Four numbers of at most 65535 each, as a package version has; all zero
// for text that is not one.
std::array<std::uint32_t, 4> ParseVersion(const std::wstring& text) {
    std::array<std::uint32_t, 4> version{};
    std::size_t field = 0;
    std::size_t digits = 0;
    for (const wchar_t c : text) {
        if (c == L'.' && digits > 0 && field + 1 < version.size()) {
            ++field;
            digits = 0;
        } else if (c >= L'0' && c <= L'9' && digits < 5) {
            version[field] = version[field] * 10 + static_cast<std::uint32_t>(c - L'0');
            ++digits;
        } else {
            return {};
        }
    }
    if (field + 1 != version.size() || digits == 0) return {};
    for (const std::uint32_t number : version) {
        if (number > 0xFFFF) return {};
    }
    return version;
}

std::optional<FullNameParts> SplitFullName(const std::wstring& fullName) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = fullName.find(L'_', start);
        parts.push_back(fullName.substr(start, separator - start));
        if (separator == std::wstring::npos) break;
        start = separator + 1;
    }
    if (parts.size() != 5 || parts[0].empty() || parts[4].empty()) return std::nullopt;
    return FullNameParts{parts[0], ParseVersion(parts[1]), parts[3], parts[4]};
}

std::wstring StringValue(RegistryKey& key, const wchar_t* name) {
    // A folder path or display name has no reason to be longer than this.
    constexpr std::uint32_t kMaxBytes = 2 * 32767;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::vector<std::uint8_t> data;
    if (!key.QueryValueInfo(name, type, size) || (type != kRegSz && type != kRegExpandSz) || size > kMaxBytes ||
        !key.ReadValueData(name, size, data)) {
        return {};
    }
    std::wstring text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

}  // namespace

std::vector<std::wstring> SubkeyNames(RegistryKey& key) {
    std::vector<std::wstring> names;
    for (std::uint32_t index = 0; index < kMaxSubkeys; ++index) {
        std::wstring name;
        const std::uint32_t error = key.EnumSubkeyName(index, name);
        if (error == kErrorSuccess) {
            names.push_back(std::move(name));
        } else if (error != kErrorMoreData) {
            break;
        }
    }
    return names;
}

std::wstring PackageFamilyName(const std::wstring& fullName) {
    const auto parts = SplitFullName(fullName);
    return parts ? parts->name + L"_" + parts->publisherId : std::wstring();
}

PackageRepository::PackageRepository(const Platform& platform) : platform_(platform) {
    const auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kPackageRepositoryKey);
    if (!key) return;
    std::map<std::wstring, std::array<std::uint32_t, 4>> versions;
    for (const std::wstring& fullName : SubkeyNames(*key)) {
        const auto parts = SplitFullName(fullName);
        if (!parts || !parts->resourceId.empty()) continue;
        const std::wstring family = platform.codePage.Upper(parts->name + L"_" + parts->publisherId);
        const auto [known, added] = versions.emplace(family, parts->version);
        if (added || parts->version > known->second) {
            known->second = parts->version;
            fullNames_[family] = fullName;
        }
    }
}

std::optional<InstalledPackage> PackageRepository::Find(const std::wstring& familyName) const {
    const auto found = fullNames_.find(platform_.codePage.Upper(familyName));
    if (found == fullNames_.end()) return std::nullopt;
    InstalledPackage package{found->second, {}, {}};
    const auto key = platform_.registry.OpenKey(RegistryRoot::CurrentUser,
                                                std::wstring(kPackageRepositoryKey) + L"\\" + found->second);
    if (key) {
        package.rootFolder = StringValue(*key, L"PackageRootFolder");
        package.displayName = StringValue(*key, L"DisplayName");
    }
    return package;
}

}  // namespace quillmark
