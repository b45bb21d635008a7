#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "inventory/approval_value.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

struct Platform;
class CodePage;
class Registry;

// Where Windows keeps an entry's mark: under the entry's root, in the
// subkey of its kind ("Run" for the Run values of HKEY_CURRENT_USER and of
// the machine's 64-bit view, "Run32" for the machine's 32-bit view,
// "StartupFolder" for Startup files, named by file name with extension).
struct ApprovalMark {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::wstring subkey;
    std::wstring name;
};

ApprovalMark MarkOf(StartupScope scope, const StartupEntry& row);
ApprovalMark StartupFolderMark(StartupScope scope, const std::wstring& fileName);

// The subkeys a scope's marks live in: "Run", "Run32" (the machine only) and "StartupFolder".
std::vector<std::wstring> MarkSubkeys(StartupScope scope);
// A mark subkey as the registry editor names it; the machine's is always its
// 64-bit view, so the path never goes through WOW6432Node.
std::wstring MarkKeyFullPath(RegistryRoot root, const std::wstring& subkey);
// True for a full key path at or below either root's StartupApproved key.
bool IsUnderStartupApproved(const CodePage& codePage, const std::wstring& fullPath);

// Reads the value exactly as stored; false when it is absent or cannot be read.
bool ReadMark(Registry& registry, const ApprovalMark& mark, std::uint32_t& type, std::vector<std::uint8_t>& data);
// Writes the value with this type, creating StartupApproved and its subkey
// when missing: the Windows error code.
std::uint32_t WriteMark(Registry& registry, const ApprovalMark& mark, const std::vector<std::uint8_t>& value,
                        std::uint32_t type = kRegBinary);
// Deletes the value; a value or key already gone counts as deleted
// (kErrorSuccess). Otherwise the Windows error code.
std::uint32_t DeleteMark(Registry& registry, const ApprovalMark& mark);

// A scope's marks, each subkey read once when made.
class ScopeApprovals {
public:
    ScopeApprovals(const Platform& platform, StartupScope scope) noexcept;
    Approval Of(const StartupEntry& row) const;

private:
    void Read(const std::wstring& subkey) noexcept;

    const Platform& platform_;
    StartupScope scope_;
    // Subkey and value name, both upper-cased: the registry matches names
    // without regard to letter case.
    std::map<std::pair<std::wstring, std::wstring>, Approval> marks_;
};

}  // namespace quillmark
