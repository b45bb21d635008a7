#include "tests/contract/contract_fixture.h"

#include <algorithm>

namespace quillmark {

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

void ContractTest::SetUp() {
    backend_ = GetParam().make();
    tag_ = backend_->UniqueTag();
}

void ContractTest::TearDown() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->value) {
            backend_->SetValue(it->root, it->key, it->name, it->value->type, it->value->bytes);
        } else {
            backend_->DeleteValue(it->root, it->key, it->name);
        }
    }
    for (auto it = createdPaths_.rbegin(); it != createdPaths_.rend(); ++it) backend_->RemovePath(*it);
    for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it)
        backend_->DeleteKeyTree(it->first, it->second);
}

void ContractTest::RemoveKeyAfterwards(RegistryRoot root, const std::wstring& key) {
    if (!backend_->KeyExists(root, key)) createdKeys_.emplace_back(root, key);
}

std::wstring ContractTest::Name(const std::wstring& suffix) const { return L"QmContract" + tag_ + L"-" + suffix; }

void ContractTest::Save(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
    // Only the first save of a value holds what it was before the test.
    if (savedNames_.emplace(root, key, name).second) saved_.push_back({root, key, name, backend_->GetValue(root, key, name)});
}

void ContractTest::SeedValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& bytes) {
    ReplaceValue(root, key, name, type, bytes);
}

void ContractTest::SeedString(RegistryRoot root, const std::wstring& key, const std::wstring& name,
                              const std::wstring& text) {
    SeedValue(root, key, name, kRegSz, Utf16Bytes(text + L'\0'));
}

void ContractTest::ReplaceValue(RegistryRoot root, const std::wstring& key, const std::wstring& name,
                                std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    Save(root, key, name);
    backend_->SetValue(root, key, name, type, bytes);
}

void ContractTest::RemoveValue(RegistryRoot root, const std::wstring& key, const std::wstring& name) {
    Save(root, key, name);
    backend_->DeleteValue(root, key, name);
}

std::wstring ContractTest::StartupFolderOf(RegistryRoot root) {
    const std::wstring name = root == RegistryRoot::CurrentUser ? L"StartUp" : L"Common Startup";
    // The prefix's own folder, as it was before this test pointed the value
    // elsewhere: folders of later worlds do not nest ever deeper, past the
    // MAX_PATH that Wine's shell reads a folder's path into.
    const auto saved = std::find_if(saved_.begin(), saved_.end(), [&](const Saved& s) {
        return s.root == root && s.key == kShellFoldersPath && s.name == name;
    });
    const auto value = saved != saved_.end() ? saved->value : backend_->GetValue(root, kShellFoldersPath, name);
    if (!value) return {};
    std::wstring text;
    for (std::size_t i = 0; i + 1 < value->bytes.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(value->bytes[i] | (value->bytes[i + 1] << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

std::wstring ContractTest::MakeFolder(const std::wstring& path) {
    backend_->CreateFolder(path);
    createdPaths_.push_back(path);
    return path;
}

std::wstring ContractTest::MakeFile(const std::wstring& path, std::uint32_t attributes) {
    backend_->AddFile(path, attributes);
    createdPaths_.push_back(path);
    return path;
}

std::wstring ContractTest::ScratchFolder(const std::wstring& suffix) {
    return MakeFolder(StartupFolderOf(RegistryRoot::CurrentUser) + L"\\" + Name(suffix));
}

}  // namespace quillmark
