#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/program_icons.h"
#include "inventory/removal_record.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"
#include "inventory/windows_start_man.h"
#include "platform/file_system.h"
#include "platform/image_list.h"
#include "platform/platform.h"
#include "platform/registry_accessor.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {

class LinkTable;
class RecordingShell;

#ifdef QUILLMARK_WIN32_TESTS
// Filled by tests/inventory/win32: the real image list, and the target the
// shell's link object stores in a shortcut file.
std::unique_ptr<ImageList> MakeWin32TestImageList();
std::wstring Win32StoredLinkTarget(const std::wstring& file);
std::string Win32FileBytes(const std::wstring& file);
// A copy of a real program with its own icon; false when it cannot be made.
bool Win32MakeProgram(const std::wstring& path);
#endif

// One contract backend as the inventory sees it. Both scopes get a fresh,
// empty Startup folder (their Shell Folders values point at it) and empty Run
// keys; the fixture puts every value back afterwards, and this object sweeps
// the files the code under test wrote into the folders it made.
class InventoryWorld {
public:
    InventoryWorld(ContractTest& test, ContractBackend& backend, const std::string& backendName);
    ~InventoryWorld();
    InventoryWorld(const InventoryWorld&) = delete;
    InventoryWorld& operator=(const InventoryWorld&) = delete;

    const Platform& platform() const { return platform_; }
    InventoryContext& context() { return context_; }
    ImageList& images() { return *images_; }
    // The icons Load remembers, as the main window keeps them across loads.
    ProgramIcons& icons() { return icons_; }
    bool IsStandIn() const { return links_ != nullptr; }
    // The stand-in's link table and shell; null on Windows.
    LinkTable* links() { return links_; }
    RecordingShell* shell() { return shell_; }

    // A name unique to this run and this world (a test may make several).
    std::wstring Name(const std::wstring& suffix) const { return test_.Name(id_ + suffix); }
    const std::wstring& StartupFolder(StartupScope scope) const;
    // Points the scope's Shell Folders value elsewhere (restored afterwards).
    void SetStartupFolderValue(StartupScope scope, const std::wstring& folder);

    void SetRunString(StartupScope scope, const std::wstring& name, const std::wstring& data,
                      std::uint32_t type = kRegSz);
    void SetRunValue(StartupScope scope, const std::wstring& name, std::uint32_t type,
                     const std::vector<std::uint8_t>& bytes);
    bool RunValueExists(StartupScope scope, const std::wstring& name);
    // The 32-bit view of the machine's Run key, seeded and inspected under
    // its WOW6432Node name.
    void SetRun32String(const std::wstring& name, const std::wstring& data);
    bool Run32ValueExists(const std::wstring& name);
    // A value of any place's key (Run, Run once, policy) in a view of the scope's root.
    void SetSourceString(StartupScope scope, EntrySource source, RegistryView view, const std::wstring& name,
                         const std::wstring& data);

    // StartupApproved values of a root's subkey ("Run", "Run32",
    // "StartupFolder"). SetMark seeds one; ClearMark removes one the code
    // under test may write. Both are put back as they were afterwards.
    void SetMark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                 const std::vector<std::uint8_t>& bytes);
    void ClearMark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name);
    std::optional<RawValue> Mark(RegistryRoot root, const std::wstring& subkey, const std::wstring& name);

    // A new folder of this run directly under the given parent (C:\ by default).
    std::wstring Folder(const std::wstring& suffix, const std::wstring& parent = L"C:");
    // A new folder at exactly this path.
    std::wstring FolderAt(const std::wstring& path);
    void Remove(const std::wstring& path) { backend_.RemovePath(path); }
    // An existing file with a shell icon, at folder + "\" + fileName.
    std::wstring Program(const std::wstring& folder, const std::wstring& fileName);
    std::wstring File(const std::wstring& path, std::uint32_t attributes = 0x20);
    // A shortcut written through the link object: folder + "\" + name + ".lnk".
    std::wstring Shortcut(const std::wstring& folder, const std::wstring& name, const std::wstring& target);
    std::wstring Shortcut(StartupScope scope, const std::wstring& name, const std::wstring& target) {
        return Shortcut(StartupFolder(scope), name, target);
    }
    bool FileExists(const std::wstring& path) { return platform_.files.FileExists(path); }
    // The target stored in a shortcut file, as the link object keeps it.
    std::wstring StoredTarget(const std::wstring& file);
    // The shortcut as stored: the file's bytes on Windows, the link record on
    // the stand-in (which keeps no bytes); empty when there is none.
    std::string ShortcutBytes(const std::wstring& file);

    // Where removals keep their records: a folder of this world, made on
    // first use and swept with its records afterwards. The all users' place
    // is made for administrators and trusts the owners the machine's own
    // data folder would.
    const std::wstring& DataFolder();
    RecordsPlace Records(StartupScope scope);

    ScopeList Load(StartupScope scope);
    // Later loads may read their shortcuts on this many threads.
    void ReadShortcutsOn(unsigned threads);
    // The value names in the order the registry enumerates them.
    std::vector<std::wstring> RunValueNames(StartupScope scope, RegistryView view = RegistryView::Default,
                                            EntrySource source = EntrySource::Run);

private:
    void EmptyRunKey(StartupScope scope);
    void SweepFiles(const std::wstring& folder);

    ContractTest& test_;
    ContractBackend& backend_;
    std::wstring id_;
    Platform platform_;
    LinkTable* links_ = nullptr;
    RecordingShell* shell_ = nullptr;
    std::unique_ptr<ImageList> images_;
    ProgramIcons icons_;
    RegistryAccessor registry_;
    TWindowsStartMan startMan_;
    InventoryContext context_;
    std::wstring userStartup_;
    std::wstring commonStartup_;
    std::vector<std::wstring> sweptFolders_;
    std::vector<std::wstring> programs_;
    std::wstring dataFolder_;
};

// Finds the row with this name and origin; null when there is none.
const StartupEntry* FindRow(const ScopeList& list, const std::wstring& name, EntryOrigin origin);
std::vector<std::wstring> RowNames(const ScopeList& list);
// Adds the rows with this name and origin to `chosen`, as a command hands
// the selected rows over; how many there were.
int Select(const ScopeList& list, const std::wstring& name, EntryOrigin origin, std::vector<StartupEntry>& chosen);

}  // namespace quillmark
