#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

struct Platform;
class RegistryKey;

// Where Windows keeps the current user's packaged apps: per package family
// the apps' own keys (startup tasks among them), and per installed package
// its folder and display name.
inline const wchar_t kAppModelKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel";
inline const wchar_t kSystemAppDataKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";
inline const wchar_t kPackageRepositoryKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\Packages";

// The key's subkey names in the order the registry lists them, at most
// kMaxSubkeys of them (the keys are the user's to fill).
inline constexpr std::uint32_t kMaxSubkeys = 16384;
std::vector<std::wstring> SubkeyNames(RegistryKey& key);

// The family name of a package full name: "Name_Version_Architecture_
// ResourceId_PublisherId" gives "Name_PublisherId". Empty for a name of any
// other shape.
std::wstring PackageFamilyName(const std::wstring& fullName);

struct InstalledPackage {
    std::wstring fullName;
    std::wstring rootFolder;   // PackageRootFolder as stored; empty when missing or not text
    std::wstring displayName;  // DisplayName as stored; may be an indirect "@{...}" or "ms-resource:" name
};

// The repository's packages, one per family: the one that holds the apps
// (a resource or bundle package shares its family but declares none),
// the highest version where several are registered.
class PackageRepository {
public:
    explicit PackageRepository(const Platform& platform);
    // The family's package with its values read; nothing when none is registered.
    std::optional<InstalledPackage> Find(const std::wstring& familyName) const;

private:
    const Platform& platform_;
    std::map<std::wstring, std::wstring> fullNames_;  // upper-cased family name -> full name
};

}  // namespace quillmark
