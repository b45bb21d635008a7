#include "inventory/registry_key_paths.h"

#include <cwctype>

namespace quillmark {

namespace {

const wchar_t kCurrentUser[] = L"HKEY_CURRENT_USER\\";
const wchar_t kLocalMachine[] = L"HKEY_LOCAL_MACHINE\\";
const wchar_t kSoftware[] = L"SOFTWARE\\";
const wchar_t kWow6432Node[] = L"WOW6432Node\\";

bool StartsWithFolded(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towupper(static_cast<wint_t>(text[i])) != std::towupper(static_cast<wint_t>(prefix[i]))) return false;
    }
    return true;
}

}  // namespace

std::wstring FullKeyPath(RegistryRoot root, const std::wstring& path, RegistryView view) {
    const std::wstring relative = !path.empty() && path.front() == L'\\' ? path.substr(1) : path;
    if (root == RegistryRoot::CurrentUser) return kCurrentUser + relative;
    if (view == RegistryView::Bits32 && StartsWithFolded(relative, kSoftware))
        return kLocalMachine + std::wstring(kSoftware) + kWow6432Node + relative.substr(std::size(kSoftware) - 1);
    return kLocalMachine + relative;
}

std::wstring RunKeyFullPath(StartupScope scope, RegistryView view, EntrySource source) {
    const std::wstring path = RunKeyPathOf(source);
    // regedit shows the user's key as "Software" and the machine's as "SOFTWARE".
    if (scope == StartupScope::CurrentUser) return FullKeyPath(RegistryRoot::CurrentUser, L"\\Software" + path.substr(9), view);
    return FullKeyPath(RegistryRoot::LocalMachine, path, view);
}

std::optional<KeyLocation> KeyLocationOf(const std::wstring& fullPath, bool twoViews) {
    if (StartsWithFolded(fullPath, kCurrentUser))
        return KeyLocation{RegistryRoot::CurrentUser, fullPath.substr(std::size(kCurrentUser) - 1), RegistryView::Default};
    if (!StartsWithFolded(fullPath, kLocalMachine)) return std::nullopt;
    const std::wstring relative = fullPath.substr(std::size(kLocalMachine) - 1);
    const std::wstring wow = std::wstring(kSoftware) + kWow6432Node;
    if (StartsWithFolded(relative, wow))
        return KeyLocation{RegistryRoot::LocalMachine, kSoftware + relative.substr(wow.size()), RegistryView::Bits32};
    return KeyLocation{RegistryRoot::LocalMachine, relative, twoViews ? RegistryView::Bits64 : RegistryView::Default};
}

}  // namespace quillmark
