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

// Writes the value, creating StartupApproved and its subkey when missing:
// the Windows error code.
std::uint32_t WriteMark(Registry& registry, const ApprovalMark& mark, const std::vector<std::uint8_t>& value);
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
