#include "inventory/startup_approved.h"

#include "inventory/registry_key_paths.h"
#include "platform/code_page.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shellpath/path_text.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

const wchar_t kStartupApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
const wchar_t kRunSubkey[] = L"Run";
const wchar_t kRun32Subkey[] = L"Run32";
const wchar_t kStartupFolderSubkey[] = L"StartupFolder";

std::wstring PathOf(const std::wstring& subkey) { return std::wstring(kStartupApprovedKey) + L"\\" + subkey; }

// Windows keeps the machine's marks in the 64-bit view only, for 32-bit
// entries too (those are told apart by "Run32"); a 32-bit process must name
// that view or it would read and write WOW6432Node.
RegistryView ViewOf(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? RegistryView::Bits64 : RegistryView::Default;
}

}  // namespace

ApprovalMark MarkOf(StartupScope scope, const StartupEntry& row) {
    if (row.origin == EntryOrigin::StartupFile) return StartupFolderMark(scope, ExtractFileName(row.location));
    const bool run32 = scope == StartupScope::AllUsers && row.registryView == RegistryView::Bits32;
    return ApprovalMark{RootOf(scope), run32 ? kRun32Subkey : kRunSubkey, row.name};
}

ApprovalMark StartupFolderMark(StartupScope scope, const std::wstring& fileName) {
    return ApprovalMark{RootOf(scope), kStartupFolderSubkey, fileName};
}

std::vector<std::wstring> MarkSubkeys(StartupScope scope) {
    if (scope == StartupScope::AllUsers) return {kRunSubkey, kRun32Subkey, kStartupFolderSubkey};
    return {kRunSubkey, kStartupFolderSubkey};
}

std::wstring MarkKeyFullPath(RegistryRoot root, const std::wstring& subkey) {
    return FullKeyPath(root, PathOf(subkey), RegistryView::Default);
}

bool IsUnderStartupApproved(const CodePage& codePage, const std::wstring& fullPath) {
    const std::wstring folded = codePage.Upper(fullPath) + L"\\";
    for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        const std::wstring key = FullKeyPath(root, kStartupApprovedKey, RegistryView::Default);
        const std::wstring prefix = codePage.Upper(key) + L"\\";
        if (folded.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
}

bool ReadMark(Registry& registry, const ApprovalMark& mark, std::uint32_t& type, std::vector<std::uint8_t>& data) {
    const auto key = registry.OpenKey(mark.root, PathOf(mark.subkey), KeyAccess::Read, ViewOf(mark.root));
    std::uint32_t size = 0;
    return key && key->QueryValueInfo(mark.name, type, size) && key->ReadValueData(mark.name, size, data);
}

std::uint32_t WriteMark(Registry& registry, const ApprovalMark& mark, const std::vector<std::uint8_t>& value,
                        std::uint32_t type) {
    std::uint32_t error = kErrorSuccess;
    const auto key = registry.CreateKey(mark.root, PathOf(mark.subkey), ViewOf(mark.root), error);
    return key ? key->WriteValue(mark.name, type, value) : error;
}

std::uint32_t DeleteMark(Registry& registry, const ApprovalMark& mark) {
    std::uint32_t error = kErrorSuccess;
    const auto key = registry.OpenKey(mark.root, PathOf(mark.subkey), KeyAccess::SetValue, ViewOf(mark.root), error);
    if (key) error = key->DeleteValue(mark.name);
    return error == kErrorFileNotFound ? kErrorSuccess : error;
}

ScopeApprovals::ScopeApprovals(const Platform& platform, StartupScope scope) noexcept
    : platform_(platform), scope_(scope) {
    try {
        for (const std::wstring& subkey : MarkSubkeys(scope)) Read(subkey);
    } catch (...) {
        TraceCaughtFailure();
    }
}

void ScopeApprovals::Read(const std::wstring& subkey) noexcept {
    try {
        const RegistryRoot root = RootOf(scope_);
        const auto key = platform_.registry.OpenKey(root, PathOf(subkey), KeyAccess::Read, ViewOf(root));
        std::uint32_t count = 0;
        std::uint32_t longest = 0;
        if (!key || !key->QueryInfo(count, longest)) return;
        const std::wstring foldedSubkey = platform_.codePage.Upper(subkey);
        for (std::uint32_t index = 0; index < count; ++index) {
            std::wstring name;
            std::uint32_t type = 0;
            std::uint32_t size = 0;
            std::vector<std::uint8_t> data;
            // A value that cannot be read leaves its entry enabled, as Windows does.
            if (!key->EnumValueName(index, longest + 1, name) || !key->QueryValueInfo(name, type, size) ||
                !key->ReadValueData(name, size, data))
                continue;
            marks_[{foldedSubkey, platform_.codePage.Upper(name)}] = ParseApproval(type, data);
        }
    } catch (...) {
        TraceCaughtFailure();
    }
}

Approval ScopeApprovals::Of(const StartupEntry& row) const {
    const ApprovalMark mark = MarkOf(scope_, row);
    const auto found = marks_.find({platform_.codePage.Upper(mark.subkey), platform_.codePage.Upper(mark.name)});
    return found == marks_.end() ? Approval{} : found->second;
}

}  // namespace quillmark
