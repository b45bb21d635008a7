#pragma once
#include <optional>
#include <string>

#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"
#include "platform/registry.h"

namespace quillmark {

// A key as the registry editor names it, from its root's long name; the
// 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE is spelt with WOW6432Node, as a
// 64-bit regedit shows and imports it.
std::wstring FullKeyPath(RegistryRoot root, const std::wstring& path, RegistryView view);
// The key of a place whose values Windows starts programs from (Run, Run
// once, the policy's Run key); Startup files have none.
inline const wchar_t* RunKeyPathOf(EntrySource source) noexcept {
    if (source == EntrySource::RunOnce) return kRunOnceKey;
    if (source == EntrySource::Policy) return kPolicyRunKey;
    return kRunKey;
}

// The full path of the scope's Run key (or Run once or policy Run key) in a view.
std::wstring RunKeyFullPath(StartupScope scope, RegistryView view, EntrySource source = EntrySource::Run);

// Where a full key path lives for the platform's registry: root, path from
// the root and view. HKEY_LOCAL_MACHINE paths outside WOW6432Node are the
// 64-bit view where there are two. Nothing for other roots.
struct KeyLocation {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::wstring path;
    RegistryView view = RegistryView::Default;
};
std::optional<KeyLocation> KeyLocationOf(const std::wstring& fullPath, bool twoViews);

}  // namespace quillmark
