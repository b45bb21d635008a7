#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace quillmark {

// The Windows shell's calls. The owner windows are set once the program's
// windows exist; until then the shell's windows have no owner.
class Win32Shell final : public Shell {
public:
    void SetOwnerWindows(HWND application, HWND mainWindow) noexcept {
        application_ = application;
        mainWindow_ = mainWindow;
    }

    HResult GetFolderPathW(int csidl, std::wstring& path) override;
    HResult GetKnownFolderPath(KnownFolder folder, std::wstring& path) override;
    std::unique_ptr<ShellIdList> GetSpecialFolderLocation(int csidl) override;
    bool GetPathFromIdListA(const ShellIdList& list, std::string& path) override;
    bool GetPathFromIdListW(const ShellIdList& list, std::wstring& path) override;
    bool ExecuteExA(const ShellExecuteInfo& info) override;
    std::uint32_t ExecuteExW(const ShellExecuteInfoW& info) override;
    bool ExecuteW(ShellOwner owner, const std::wstring& verb, const std::wstring& file,
                  const std::wstring& parameters, const std::wstring& directory, int show) override;
    bool ExecuteA(ShellOwner owner, const std::string& verb, const std::string& file, const std::string& parameters,
                  const std::string& directory, int show) override;
    FileOperationResult FileOperationW(const FileOperation& operation) override;
    std::unique_ptr<FileIcon> GetFileIcon(const std::wstring& path, int size) override;
    std::unique_ptr<ShellIdList> BrowseForFolder(const BrowseInfo& info) override;
    bool WinExec(const std::string& commandLine, int show) override;
    HResult ToggleDesktop() override;

private:
    HWND Owner(ShellOwner owner) const noexcept;

    HWND application_ = nullptr;
    HWND mainWindow_ = nullptr;
};

}  // namespace quillmark
