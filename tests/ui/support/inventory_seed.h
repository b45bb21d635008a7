#pragma once
// Seeds the Wine prefix's startup inventory through the real Windows calls:
// Run values in HKCU and HKLM, and files in the two Startup folders. Whatever
// a seed writes it removes again when it goes out of scope.
#include <windows.h>

#include <string>
#include <vector>

namespace quillmark::uitest {

enum class Scope { CurrentUser, AllUsers };

inline constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunOnceKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr wchar_t kPolicyRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
// Seeds go where a 64-bit installer puts them, the machine's 64-bit view, so a
// 32-bit harness seeds what a 64-bit one does (32-bit Windows ignores the flag).
inline constexpr REGSAM kSeedView = KEY_WOW64_64KEY;

HKEY RootOf(Scope scope) noexcept;
// The scope's Startup folder from the Shell Folders values ("StartUp" under
// HKCU, "Common Startup" under HKLM); empty when the value is missing.
std::wstring StartupFolder(Scope scope);

// One row as the program should list it: Run values first, in the
// registry's value order (the machine's 64-bit view, then on 64-bit Windows
// its 32-bit view), then the visible files of the Startup folder in
// enumeration order, then the Run once and the policy's Run values in the
// same views, and on the current user's tab the packaged apps' startup
// tasks. Folder rows carry no expected name (it comes from the shortcut's
// target); seeded shortcuts are checked by name separately. A packaged
// task's name and program come from its manifest: the test that stages one
// checks them.
struct ExpectedRow {
    std::wstring name;
    std::wstring location;
    bool fromFolder = false;
    bool fromPackage = false;
};
std::vector<ExpectedRow> ExpectedRows(Scope scope);
// The target path the shortcut file stores, as the shell's link object reads it.
std::wstring ShortcutTarget(const std::wstring& path);

class InventorySeed {
public:
    InventorySeed() = default;
    InventorySeed(const InventorySeed&) = delete;
    InventorySeed& operator=(const InventorySeed&) = delete;
    ~InventorySeed();

    // A Run value of a string type (REG_SZ or REG_EXPAND_SZ), stored as given.
    void AddString(Scope scope, const std::wstring& name, const std::wstring& data, DWORD type = REG_SZ);
    // A string value in another key of the scope's root (Run once, the policy's Run key).
    void AddStringAt(Scope scope, const wchar_t* keyPath, const std::wstring& name, const std::wstring& data);
    void AddDword(Scope scope, const std::wstring& name, DWORD data);
    // A shell shortcut `fileName` in the scope's Startup folder pointing at
    // `target`; returns the shortcut's full path.
    std::wstring AddShortcut(Scope scope, const std::wstring& fileName, const std::wstring& target);
    // A small plain file in the Startup folder with the given attributes; an
    // existing file of that name is kept untouched.
    std::wstring AddFile(Scope scope, const std::wstring& fileName, DWORD attributes);
    // Deletes a Run value now (as another program would between two loads).
    void DeleteValue(Scope scope, const std::wstring& name);
    bool HasValue(Scope scope, const std::wstring& name) const;
    // A file the program writes during a test, removed with the seed's own.
    void RemoveAtEnd(const std::wstring& path) { files_.push_back(path); }
    // Leaves everything written so far in place (for a demo prefix).
    void Keep() noexcept;

private:
    struct Value {
        Scope scope;
        const wchar_t* keyPath;
        std::wstring name;
    };
    void WriteValue(Scope scope, const wchar_t* keyPath, const std::wstring& name, DWORD type, const void* data,
                    DWORD size);

    std::vector<Value> values_;
    std::vector<std::wstring> files_;
};

}  // namespace quillmark::uitest
