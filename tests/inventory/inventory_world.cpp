#include "tests/inventory/inventory_world.h"

#include <gtest/gtest.h>

#include "inventory/load_scope.h"
#include "inventory/registry_key_paths.h"
#include "platform/file_system.h"
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/link_table.h"
#include "tests/stand_ins/map_environment.h"
#include "tests/stand_ins/recording_shell.h"
#include "shellpath/shell_services.h"
#ifdef QUILLMARK_WIN32_TESTS
#include "platform/win32/com_apartment.h"
#endif

namespace quillmark {

namespace {

constexpr wchar_t kStartupApprovedPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

const wchar_t* ShellFolderValue(StartupScope scope) {
    return scope == StartupScope::AllUsers ? L"Common Startup" : L"StartUp";
}

std::unique_ptr<ImageList> MakeImageList(const std::string& backendName) {
#ifdef QUILLMARK_WIN32_TESTS
    if (backendName == "Win32") return MakeWin32TestImageList();
#else
    (void)backendName;
#endif
    return std::make_unique<CountingImageList>();
}

int worldsMade = 0;

}  // namespace

InventoryWorld::InventoryWorld(ContractTest& test, ContractBackend& backend, const std::string& backendName)
    : test_(test),
      backend_(backend),
      id_(L"w" + std::to_wstring(++worldsMade) + L"-"),
      platform_(backend.View()),
      links_(dynamic_cast<LinkTable*>(&platform_.links)),
      shell_(dynamic_cast<RecordingShell*>(&platform_.shell)),
      images_(MakeImageList(backendName)),
      registry_(platform_.registry),
      startMan_(platform_),
      context_{platform_, registry_, startMan_, *images_} {
    // The stand-in's environment knows only what a test tells it; Windows
    // has this variable already.
    if (auto* environment = dynamic_cast<MapEnvironment*>(&platform_.environment))
        environment->Set(L"ProgramFiles", L"C:\\Program Files");
    for (const StartupScope scope : {StartupScope::CurrentUser, StartupScope::AllUsers}) {
        test_.RemoveKeyAfterwards(RootOf(scope), kStartupApprovedPath);
        EmptyRunKey(scope);
        const std::wstring real = test_.StartupFolderOf(RootOf(scope));
        const std::wstring fresh = test_.MakeFolder(real + L"\\" + Name(L"Startup" + std::to_wstring(static_cast<int>(scope))));
        sweptFolders_.push_back(fresh);
        SetStartupFolderValue(scope, fresh);
        (scope == StartupScope::AllUsers ? commonStartup_ : userStartup_) = fresh;
    }
}

InventoryWorld::~InventoryWorld() {
    for (const std::wstring& program : programs_) backend_.RemovePath(program);
    for (const std::wstring& folder : sweptFolders_) SweepFiles(folder);
    if (dataFolder_.empty()) return;
    for (const StartupScope scope : {StartupScope::CurrentUser, StartupScope::AllUsers}) {
        const std::wstring records = Records(scope).folder;
        for (const FoundEntry& entry : platform_.files.FindEntries(records + L"\\*")) {
            if (entry.name == L"." || entry.name == L"..") continue;
            SweepFiles(records + L"\\" + entry.name);
            backend_.RemovePath(records + L"\\" + entry.name);
        }
        backend_.RemovePath(records);
    }
    backend_.RemovePath(dataFolder_ + L"\\Machine");
}

const std::wstring& InventoryWorld::DataFolder() {
    if (dataFolder_.empty()) dataFolder_ = Folder(L"Data");
    return dataFolder_;
}

RecordsPlace InventoryWorld::Records(StartupScope scope) {
    if (scope == StartupScope::CurrentUser) return {DataFolder() + L"\\Removed", {}};
    return {DataFolder() + L"\\Machine\\Removed", TrustedMachineOwners(platform_, DataFolder())};
}

void InventoryWorld::SweepFiles(const std::wstring& folder) {
    for (const FoundEntry& entry : platform_.files.FindEntries(folder + L"\\*")) {
        if (!(entry.attributes & kAttrDirectory)) backend_.RemovePath(folder + L"\\" + entry.name);
    }
}

// The key of a place as the backends seed it: the 32-bit view under WOW6432Node.
std::wstring SourceKeyPath(EntrySource source, RegistryView view) {
    const std::wstring path = std::wstring(RunKeyPathOf(source)).substr(1);
    if (view != RegistryView::Bits32) return path;
    return L"SOFTWARE\\WOW6432Node" + path.substr(8);
}

void InventoryWorld::EmptyRunKey(StartupScope scope) {
    for (const EntrySource source : {EntrySource::Run, EntrySource::RunOnce, EntrySource::Policy}) {
        for (const RegistryView view : {RegistryView::Default, RegistryView::Bits32}) {
            if (view == RegistryView::Bits32 && scope != StartupScope::AllUsers) continue;
            for (const std::wstring& name : RunValueNames(scope, view, source))
                test_.RemoveValue(RootOf(scope), SourceKeyPath(source, view), name);
        }
    }
}

void InventoryWorld::SetSourceString(StartupScope scope, EntrySource source, RegistryView view,
                                     const std::wstring& name, const std::wstring& data) {
    test_.SeedValue(RootOf(scope), SourceKeyPath(source, view), name, kRegSz, Utf16Bytes(data + L'\0'));
}

const std::wstring& InventoryWorld::StartupFolder(StartupScope scope) const {
    return scope == StartupScope::AllUsers ? commonStartup_ : userStartup_;
}

void InventoryWorld::SetStartupFolderValue(StartupScope scope, const std::wstring& folder) {
    const auto data = Utf16Bytes(folder + L'\0');
    test_.ReplaceValue(RootOf(scope), kShellFoldersPath, ShellFolderValue(scope), kRegSz, data);
    // The shell's known folder comes from "User Shell Folders", and Wine's
    // shell writes "Shell Folders" afresh from it whenever it looks a special
    // folder up (saving a shortcut does): both name the same folder.
    test_.ReplaceValue(RootOf(scope), kUserShellFoldersPath, ShellFolderValue(scope), kRegSz, data);
}

void InventoryWorld::SetRunString(StartupScope scope, const std::wstring& name, const std::wstring& data,
                                  std::uint32_t type) {
    SetRunValue(scope, name, type, Utf16Bytes(data + L'\0'));
}

void InventoryWorld::SetRunValue(StartupScope scope, const std::wstring& name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& bytes) {
    test_.SeedValue(RootOf(scope), kRunKeyPath, name, type, bytes);
}

bool InventoryWorld::RunValueExists(StartupScope scope, const std::wstring& name) {
    return backend_.GetValue(RootOf(scope), kRunKeyPath, name).has_value();
}

void InventoryWorld::SetRun32String(const std::wstring& name, const std::wstring& data) {
    test_.SeedValue(RegistryRoot::LocalMachine, kRun32KeyPath, name, kRegSz, Utf16Bytes(data + L'\0'));
}

bool InventoryWorld::Run32ValueExists(const std::wstring& name) {
    return backend_.GetValue(RegistryRoot::LocalMachine, kRun32KeyPath, name).has_value();
}

void InventoryWorld::SetMark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                             const std::vector<std::uint8_t>& bytes) {
    test_.SeedValue(root, std::wstring(kStartupApprovedPath) + L"\\" + subkey, name, kRegBinary, bytes);
}

void InventoryWorld::ClearMark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name) {
    test_.RemoveValue(root, std::wstring(kStartupApprovedPath) + L"\\" + subkey, name);
}

std::optional<RawValue> InventoryWorld::Mark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name) {
    return backend_.GetValue(root, std::wstring(kStartupApprovedPath) + L"\\" + subkey, name);
}

std::wstring InventoryWorld::Folder(const std::wstring& suffix, const std::wstring& parent) {
    return FolderAt(parent + L"\\" + Name(suffix));
}

std::wstring InventoryWorld::FolderAt(const std::wstring& path) {
    const std::wstring folder = test_.MakeFolder(path);
    sweptFolders_.push_back(folder);
    return folder;
}

std::wstring InventoryWorld::Program(const std::wstring& folder, const std::wstring& fileName) {
    const std::wstring path = folder + L"\\" + fileName;
    if (shell_ != nullptr) {
        test_.MakeFile(path, kAttrArchive);
        shell_->AddIcon(path);
        return path;
    }
#ifdef QUILLMARK_WIN32_TESTS
    // A real program, so the shell's icon comes from its resources and does
    // not depend on how the shell treats an empty file.
    EXPECT_TRUE(Win32MakeProgram(path)) << testing::PrintToString(path);
    programs_.push_back(path);
#endif
    return path;
}

std::wstring InventoryWorld::File(const std::wstring& path, std::uint32_t attributes) {
    return test_.MakeFile(path, attributes);
}

std::wstring InventoryWorld::Shortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target) {
    EXPECT_TRUE(CreateShortcutFile(platform_, target, name, folder)) << "seeding " << testing::PrintToString(name);
    return folder + L"\\" + name + L".lnk";
}

std::wstring InventoryWorld::StoredTarget(const std::wstring& file) {
    if (links_ != nullptr) {
        const LinkRecord* record = links_->Find(file);
        return record == nullptr ? L"<no shortcut>" : record->target;
    }
#ifdef QUILLMARK_WIN32_TESTS
    return Win32StoredLinkTarget(file);
#else
    return L"<no shortcut>";
#endif
}

std::string InventoryWorld::ShortcutBytes(const std::wstring& file) {
    if (links_ != nullptr) {
        const LinkRecord* record = links_->Find(file);
        if (record == nullptr) return {};
        std::string bytes;
        for (const wchar_t c : record->target + L'|' + record->workingDirectory) bytes += std::to_string(c) + ',';
        return bytes;
    }
#ifdef QUILLMARK_WIN32_TESTS
    return Win32FileBytes(file);
#else
    return {};
#endif
}

ScopeList InventoryWorld::Load(StartupScope scope) {
    ScopeList list;
    LoadScope(context_, scope, list, icons_);
    return list;
}

void InventoryWorld::ReadShortcutsOn(unsigned threads) {
#ifdef QUILLMARK_WIN32_TESTS
    context_.shortcutWorkers = ShortcutWorkers{threads, &EnterThreadApartment};
#else
    context_.shortcutWorkers = ShortcutWorkers{threads, {}};
#endif
}

std::vector<std::wstring> InventoryWorld::RunValueNames(StartupScope scope, RegistryView view, EntrySource source) {
    RegistryAccessor accessor(platform_.registry);
    accessor.SetRoot(RootOf(scope));
    accessor.SetView(view);
    std::vector<std::wstring> names;
    if (accessor.OpenKey(RunKeyPathOf(source))) accessor.GetValueNames(names);
    accessor.CloseKey();
    return names;
}

const StartupEntry* FindRow(const ScopeList& list, const std::wstring& name, EntryOrigin origin) {
    for (const StartupEntry& row : list.rows) {
        if (row.name == name && row.origin == origin) return &row;
    }
    return nullptr;
}

std::vector<std::wstring> RowNames(const ScopeList& list) {
    std::vector<std::wstring> names;
    for (const StartupEntry& row : list.rows) names.push_back(row.name);
    return names;
}

int Select(const ScopeList& list, const std::wstring& name, EntryOrigin origin, std::vector<StartupEntry>& chosen) {
    int count = 0;
    for (const StartupEntry& row : list.rows) {
        if (row.name == name && row.origin == origin) {
            chosen.push_back(row);
            ++count;
        }
    }
    return count;
}

}  // namespace quillmark
