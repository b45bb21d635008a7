#include "tests/stand_ins/portable_platform.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {
namespace {

// The stand-ins, seeded the way a fresh Wine prefix looks.
class PortableBackend final : public ContractBackend {
public:
    PortableBackend() {
        auto& registry = platform_.registry();
        registry.CreateKey(RegistryRoot::CurrentUser, kRunKeyPath);
        registry.CreateKey(RegistryRoot::LocalMachine, kRunKeyPath);
        registry.CreateKey(RegistryRoot::LocalMachine, kRun32KeyPath);
        const std::wstring userStartup = L"C:\\users\\quill\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
        const std::wstring commonStartup = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
        registry.SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", userStartup);
        registry.SetString(RegistryRoot::LocalMachine, kShellFoldersPath, L"Common Startup", commonStartup);
        registry.SetString(RegistryRoot::CurrentUser, kUserShellFoldersPath, L"Startup", userStartup);
        registry.SetString(RegistryRoot::LocalMachine, kUserShellFoldersPath, L"Common Startup", commonStartup);
        platform_.files().AddFolder(userStartup);
        platform_.files().AddFolder(commonStartup);
    }

    Platform View() override { return platform_.View(); }

    void SetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& bytes) override {
        platform_.registry().SetValue(root, key, name, type, bytes);
    }
    std::optional<RawValue> GetValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) override {
        const auto* value = platform_.registry().FindValue(root, key, name);
        if (value == nullptr) return std::nullopt;
        return RawValue{value->type, value->data};
    }
    void DeleteValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) override {
        platform_.registry().DeleteValue(root, key, name);
    }
    bool KeyExists(RegistryRoot root, const std::wstring& key) override { return platform_.registry().KeyExists(root, key); }
    void DeleteKeyTree(RegistryRoot root, const std::wstring& key) override {
        platform_.registry().DeleteKey(root, key);
    }

    void CreateFolder(const std::wstring& path) override { ASSERT_TRUE(platform_.files().AddFolder(path)); }
    void AddFile(const std::wstring& path, std::uint32_t attributes) override {
        ASSERT_TRUE(platform_.files().AddFile(path, attributes));
    }
    void RemovePath(const std::wstring& path) override { platform_.files().Remove(path); }

    std::wstring StagedLink() override {
        platform_.files().AddFolder(L"C:\\Staged link");
        platform_.files().MakeLink(L"C:\\Staged link");
        return L"C:\\Staged link";
    }
    std::wstring StagedForeignFolder() override {
        platform_.files().AddFolder(L"C:\\Staged foreign");
        platform_.files().SetOwner(L"C:\\Staged foreign", L"S-1-5-21-1-2-3-1001");
        return L"C:\\Staged foreign";
    }

    std::wstring UniqueTag() override { return L"P"; }
    bool IsWine() override { return false; }

private:
    PortablePlatform platform_;
};

INSTANTIATE_TEST_SUITE_P(Portable, ContractTest,
                         testing::Values(ContractBackendFactory{
                             "Portable", [] { return std::unique_ptr<ContractBackend>(new PortableBackend()); }}),
                         BackendName);

}  // namespace
}  // namespace quillmark
