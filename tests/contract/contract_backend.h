#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/registry.h"

namespace quillmark {

struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

// What the contract suite needs from a world besides the platform under
// test: a way to seed and inspect registry values and files that does not go
// through the code being checked. The world starts as a fresh Wine prefix
// does: both Run keys exist, and the Shell Folders and User Shell Folders
// values "StartUp" (current user) and "Common Startup" (all users) name
// existing folders.
class ContractBackend {
public:
    virtual ~ContractBackend() = default;
    virtual Platform View() = 0;

    // Key paths are relative to the root, without a leading backslash.
    virtual void SetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& bytes) = 0;
    virtual std::optional<RawValue> GetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) = 0;
    virtual void DeleteValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) = 0;
    virtual bool KeyExists(RegistryRoot root, const std::wstring& key) = 0;
    // Deletes the key with its subkeys and values.
    virtual void DeleteKeyTree(RegistryRoot root, const std::wstring& key) = 0;

    virtual void CreateFolder(const std::wstring& path) = 0;
    virtual void AddFile(const std::wstring& path, std::uint32_t attributes) = 0;
    // Removes a file or an empty folder.
    virtual void RemovePath(const std::wstring& path) = 0;

    // What only some backends can stage: a folder that is a link to another
    // (empty) folder, and a folder owned by another account than the one
    // running the tests. Empty where the backend cannot make one.
    virtual std::wstring StagedLink() = 0;
    virtual std::wstring StagedForeignFolder() = 0;

    // Text that makes names of this run unique among runs sharing a prefix.
    virtual std::wstring UniqueTag() = 0;
    virtual bool IsWine() = 0;
};

struct ContractBackendFactory {
    std::string name;
    std::function<std::unique_ptr<ContractBackend>()> make;
};

// Little-endian UTF-16 bytes of the text, terminator not included.
std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text);

}  // namespace quillmark
