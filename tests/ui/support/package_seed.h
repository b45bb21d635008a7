#pragma once
// Stages a packaged app's startup task in the Wine prefix as Windows keeps it
// for the current user: the package in the repository (its folder and display
// name), the folder with its AppxManifest.xml and program, and the task's key
// with its State. Everything written is removed again when the seed goes.
#include <windows.h>

#include <string>
#include <vector>

namespace quillmark::uitest {

struct StagedPackagedTask {
    std::wstring name;         // the package's name part ("QM.Notes")
    std::wstring taskId;
    std::wstring displayName;  // the StartupTask's DisplayName in the manifest
    DWORD state = 2;           // enabled
};

class PackageSeed {
public:
    PackageSeed() = default;
    PackageSeed(const PackageSeed&) = delete;
    PackageSeed& operator=(const PackageSeed&) = delete;
    ~PackageSeed();

    // Registers the package and writes its manifest and program (a copy of
    // `programSource`); returns the program's full path, as the list shows it.
    std::wstring Add(const StagedPackagedTask& task, const std::wstring& programSource);
    // The task's State as stored; -1 when it is missing or not a DWORD.
    static long StateOf(const StagedPackagedTask& task);
    // Leaves everything written so far in place (for a demo prefix).
    void Keep() noexcept;

private:
    std::vector<std::wstring> keys_;     // under HKCU, removed with their subkeys
    std::vector<std::wstring> folders_;  // removed with their files
};

}  // namespace quillmark::uitest
