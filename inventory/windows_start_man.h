#pragma once
#include <string>
#include <vector>

#include "platform/registry_accessor.h"

namespace quillmark {

struct Platform;
enum class KnownFolder;

// Finds each scope's Startup folder (the shell's known folder, else the
// Shell Folders value) and lists the plain files in it. Every operation
// swallows its own failures.
class TWindowsStartMan {
public:
    explicit TWindowsStartMan(const Platform& platform);

    std::wstring CommonStartupFolder() noexcept;
    std::wstring UserStartupFolder() noexcept;
    // Appends the full paths of the visible plain files directly inside
    // `folder` (which ends with a backslash); a non-empty filter other than
    // ".*" keeps names that contain it, compared upper-cased.
    void ListFolderFiles(const std::wstring& folder, const std::wstring& filter, std::vector<std::wstring>& list) noexcept;
    void ListCommonStartup(std::vector<std::wstring>& list) noexcept;
    void ListUserStartup(std::vector<std::wstring>& list) noexcept;

private:
    std::wstring StartupFolder(KnownFolder folder, RegistryRoot root, const wchar_t* valueName) noexcept;
    // Reads one Shell Folders value under the root; empty on any failure.
    std::wstring ShellFolder(RegistryRoot root, const wchar_t* valueName) noexcept;

    const Platform& platform_;
    RegistryAccessor shellFolders_;
};

}  // namespace quillmark
