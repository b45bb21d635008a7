#include <windows.h>

#include <cwctype>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "tests/contract/contract_fixture.h"
#include "tests/support/win32/running_under_wine.h"

namespace quillmark {
namespace {

HKEY RootHandle(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The machine keys whose view the program names itself: the Run key (its
// plain path the 64-bit view, its WOW6432Node path the 32-bit one) and the
// StartupApproved marks (64-bit). Their paths mean what they mean to a 64-bit
// process, as the stand-in models them, so a 32-bit test process names that
// view; every other key is seeded in this process's own view, where the code
// under test opens it. 32-bit Windows ignores the flag.
REGSAM ViewOf(RegistryRoot root, const std::wstring& key) {
    if (root != RegistryRoot::LocalMachine) return 0;
    std::wstring folded = key;
    for (wchar_t& c : folded) c = static_cast<wchar_t>(towupper(c));
    for (const wchar_t* named : {L"SOFTWARE\\WOW6432NODE\\", L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN",
                                 L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\STARTUPAPPROVED"}) {
        if (folded.rfind(named, 0) == 0) return KEY_WOW64_64KEY;
    }
    return 0;
}

// The real registry and file system of the test prefix, seeded through
// advapi32 and kernel32 directly.
class Win32Backend final : public ContractBackend {
public:
    Platform View() override { return platform_.View(); }

    void SetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& bytes) override {
        UniqueHkey handle;
        const REGSAM access = KEY_SET_VALUE | ViewOf(root, key);
        ASSERT_EQ(RegCreateKeyExW(RootHandle(root), key.c_str(), 0, nullptr, 0, access, nullptr, handle.put(), nullptr),
                  ERROR_SUCCESS);
        // RegSetValueExW counts a terminator in for string data whose next
        // character in memory is NUL ("the caller forgot it"). Non-zero bytes
        // after the data keep it to exactly the bytes given.
        std::vector<std::uint8_t> buffer(bytes);
        buffer.insert(buffer.end(), {0xFF, 0xFF, 0xFF, 0xFF});
        ASSERT_EQ(RegSetValueExW(handle.get(), name.c_str(), 0, type, buffer.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    std::optional<RawValue> GetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) override {
        UniqueHkey handle;
        if (RegOpenKeyExW(RootHandle(root), key.c_str(), 0, KEY_QUERY_VALUE | ViewOf(root, key), handle.put()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        RawValue value{type, std::vector<std::uint8_t>(size + 1)};
        RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, value.bytes.data(), &size);
        value.bytes.resize(size);
        return value;
    }

    void DeleteValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) override {
        UniqueHkey handle;
        if (RegOpenKeyExW(RootHandle(root), key.c_str(), 0, KEY_SET_VALUE | ViewOf(root, key), handle.put()) ==
            ERROR_SUCCESS) {
            RegDeleteValueW(handle.get(), name.c_str());
        }
    }

    bool KeyExists(RegistryRoot root, const std::wstring& key) override {
        UniqueHkey handle;
        const REGSAM access = KEY_READ | ViewOf(root, key);
        return RegOpenKeyExW(RootHandle(root), key.c_str(), 0, access, handle.put()) == ERROR_SUCCESS;
    }

    void DeleteKeyTree(RegistryRoot root, const std::wstring& key) override {
        UniqueHkey handle;
        const REGSAM access = KEY_ALL_ACCESS | ViewOf(root, key);
        if (RegOpenKeyExW(RootHandle(root), key.c_str(), 0, access, handle.put()) != ERROR_SUCCESS) return;
        RegDeleteTreeW(handle.get(), nullptr);
        RegDeleteKeyExW(RootHandle(root), key.c_str(), ViewOf(root, key), 0);
    }

    // Seeding what is already there succeeds, as it does on the stand-in:
    // a folder is kept, a file is emptied and gets the new attributes.
    void CreateFolder(const std::wstring& path) override {
        const BOOL created = CreateDirectoryW(path.c_str(), nullptr);
        ASSERT_TRUE(created || GetLastError() == ERROR_ALREADY_EXISTS);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        ASSERT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    }

    void AddFile(const std::wstring& path, std::uint32_t attributes) override {
        // CREATE_ALWAYS refuses to replace a hidden or system file.
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        const HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    }

    void RemovePath(const std::wstring& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveDirectoryW(path.c_str());
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    }

    // Staged by scripts/test.sh in the test prefix: Windows code under Wine
    // can make neither a link (CreateSymbolicLinkW is a stub) nor an object
    // of another owner, but a Unix link shows as a reparse point and a
    // folder of another Unix account as another owner's.
    std::wstring StagedLink() override { return Variable(L"QUILLMARK_TEST_LINK"); }
    std::wstring StagedForeignFolder() override { return Variable(L"QUILLMARK_TEST_FOREIGN_FOLDER"); }

    std::wstring UniqueTag() override { return std::to_wstring(GetCurrentProcessId()); }

    bool IsWine() override { return test_support::RunningUnderWine(); }

private:
    static std::wstring Variable(const wchar_t* name) {
        wchar_t value[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
    }

    Win32Platform platform_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ContractTest,
                         testing::Values(ContractBackendFactory{
                             "Win32", [] { return std::unique_ptr<ContractBackend>(new Win32Backend()); }}),
                         BackendName);

}  // namespace
}  // namespace quillmark
