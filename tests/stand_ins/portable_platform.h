#pragma once
#include "platform/platform.h"
#include "tests/stand_ins/installer_table.h"
#include "tests/stand_ins/link_table.h"
#include "tests/stand_ins/manifest_table.h"
#include "tests/stand_ins/map_environment.h"
#include "tests/stand_ins/memory_file_system.h"
#include "tests/stand_ins/memory_registry.h"
#include "tests/stand_ins/recording_shell.h"
#include "tests/stand_ins/user_shell_folders.h"
#include "tests/stand_ins/windows1252_code_page.h"

namespace quillmark {

// One of each stand-in, for native tests: seed them through the accessors,
// hand View() to the code under test.
class PortablePlatform {
public:
    MemoryRegistry& registry() noexcept { return registry_; }
    MemoryFileSystem& files() noexcept { return files_; }
    MapEnvironment& environment() noexcept { return environment_; }
    const Windows1252CodePage& codePage() const noexcept { return codePage_; }
    LinkTable& links() noexcept { return links_; }
    InstallerTable& installer() noexcept { return installer_; }
    RecordingShell& shell() noexcept { return shell_; }
    ManifestTable& manifests() noexcept { return manifests_; }

    // Wired as on Windows: a saved shortcut becomes a file of the tree, a save
    // into a missing folder fails, a recycled file leaves the tree, and the
    // known folders follow the "User Shell Folders" values; a manifest is read
    // only while its file exists.
    PortablePlatform() {
        links_.SetFolderExists([this](const std::wstring& folder) { return files_.DirectoryExists(folder); });
        links_.SetFileWritten([this](const std::wstring& path) { files_.AddFile(path); });
        links_.SetFullPath([this](const std::wstring& path) { return files_.FullPath(path); });
        shell_.SetRemover([this](const std::wstring& path) { return files_.FileExists(path) && files_.Remove(path); });
        shell_.SetKnownFolders([this](KnownFolder folder) { return UserShellFolder(registry_, files_, folder); });
        manifests_.SetFileExists([this](const std::wstring& path) { return files_.FileExists(path); });
    }
    PortablePlatform(const PortablePlatform&) = delete;
    PortablePlatform& operator=(const PortablePlatform&) = delete;

    Platform View() noexcept {
        return Platform{registry_, files_, environment_, codePage_, links_, installer_, shell_, manifests_};
    }

private:
    MemoryRegistry registry_;
    MemoryFileSystem files_;
    MapEnvironment environment_;
    Windows1252CodePage codePage_;
    LinkTable links_;
    InstallerTable installer_;
    RecordingShell shell_;
    ManifestTable manifests_;
};

}  // namespace quillmark
