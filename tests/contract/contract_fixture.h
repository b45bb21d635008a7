#pragma once
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tests/contract/contract_backend.h"

namespace quillmark {

inline const wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where 64-bit Windows keeps the 32-bit view of the machine's Run key; a
// 64-bit process reaches it under this name too.
inline const wchar_t kRun32KeyPath[] = L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const wchar_t kShellFoldersPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Where the shell's known folders come from (and folder redirection writes);
// "Shell Folders" is only the shell's cache of them.
inline const wchar_t kUserShellFoldersPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Runs each case against one backend and leaves the world as it found it:
// values it wrote are deleted, values it changed get their old data back,
// and files and folders it made are removed, newest first.
class ContractTest : public testing::TestWithParam<ContractBackendFactory> {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // Seeding helpers, public so case helpers outside the fixture can use them.

    // A value name unique to this run: "QmContract<tag>-<suffix>".
    std::wstring Name(const std::wstring& suffix) const;
    void SeedValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& bytes);
    void SeedString(RegistryRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
    // Keeps the value's current state for TearDown, then changes or removes it.
    void ReplaceValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                      const std::vector<std::uint8_t>& bytes);
    void RemoveValue(RegistryRoot root, const std::wstring& key, const std::wstring& name);

    // A key the code under test may create: deleted in TearDown unless it exists now.
    void RemoveKeyAfterwards(RegistryRoot root, const std::wstring& key);

    // Folder paths end without a backslash.
    std::wstring StartupFolderOf(RegistryRoot root);
    std::wstring MakeFolder(const std::wstring& path);
    std::wstring MakeFile(const std::wstring& path, std::uint32_t attributes);
    // A path the code under test creates, removed in TearDown like the others.
    void RemoveAfterwards(const std::wstring& path) { createdPaths_.push_back(path); }
    // A new empty folder inside the current user's Startup folder.
    std::wstring ScratchFolder(const std::wstring& suffix);

protected:
    std::unique_ptr<ContractBackend> backend_;
    std::wstring tag_;

private:
    struct Saved {
        RegistryRoot root;
        std::wstring key;
        std::wstring name;
        std::optional<RawValue> value;
    };
    void Save(RegistryRoot root, const std::wstring& key, const std::wstring& name);

    std::vector<Saved> saved_;  // restored in reverse order
    std::set<std::tuple<RegistryRoot, std::wstring, std::wstring>> savedNames_;  // what saved_ holds, for lookups
    std::vector<std::wstring> createdPaths_;
    std::vector<std::pair<RegistryRoot, std::wstring>> createdKeys_;
};

inline std::string BackendName(const testing::TestParamInfo<ContractBackendFactory>& info) { return info.param.name; }
// Failure messages name the backend instead of dumping the factory's bytes.
inline void PrintTo(const ContractBackendFactory& factory, std::ostream* out) { *out << factory.name; }

}  // namespace quillmark
