#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace quillmark {

// One ShellExecute call as the recording shell saw it. ANSI texts are
// widened byte for byte (tests use plain ASCII there).
struct ExecuteRecord {
    // "ShellExecuteExA", "ShellExecuteExW", "ShellExecuteW", "ShellExecuteA", "WinExec" or "ToggleDesktop"
    std::wstring call;
    ShellOwner owner = ShellOwner::None;
    std::uint32_t mask = 0;
    std::wstring verb;
    std::wstring file;  // WinExec: the command line
    std::wstring parameters;
    std::wstring directory;
    std::optional<std::wstring> idListPath;  // the folder of the id list passed, if any
    int show = 0;
};

// Stand-in for the Windows shell: answers folder lookups and icon requests
// from tables, and notes what would have been opened, deleted or browsed.
class RecordingShell final : public Shell {
public:
    RecordingShell();
    ~RecordingShell() override;

    // SHGetFolderPathW answers, given as ANSI text widened byte for byte;
    // unknown identifiers give E_INVALIDARG.
    void SetFolderPath(int csidl, const std::string& path, HResult result = kSOk);
    // A wide answer instead (a folder the ANSI form cannot spell).
    void SetFolderPathW(int csidl, const std::wstring& path);
    // Where SHGetKnownFolderPath finds a folder: the path, or none for a
    // folder the shell cannot name. PortablePlatform wires it to the memory
    // registry and file tree as Windows does; unwired, every lookup fails.
    void SetKnownFolders(std::function<std::optional<std::wstring>(KnownFolder)> source) {
        knownFolders_ = std::move(source);
    }
    // SHGetSpecialFolderLocation answers: an id list for the folder; an empty
    // path is a virtual folder (an id list without a file-system path).
    void SetFolderLocation(int csidl, const std::wstring& path);
    // Paths (letter case ignored) for which SHGetFileInfoW gives an icon.
    void AddIcon(const std::wstring& path);
    // While held, icon requests wait inside the shell, as SHGetFileInfoW on
    // a slow file does, until released.
    void HoldIcons();
    void ReleaseIcons();
    // Blocks until `count` icon requests have reached the shell / have left
    // it (released or not held), counting from the start; false when they
    // have not within ten seconds.
    bool WaitForIconCallsEntered(int count);
    bool WaitForIconCallsLeft(int count);
    // What FO_DELETE does to each path: true when it was removed. Without
    // one, every delete succeeds. A failed delete makes the call return 2.
    void SetRemover(std::function<bool(const std::wstring&)> remover);
    // Every FO_DELETE from now on removes nothing and gives this answer, as
    // when the user declines the shell's question or the shell refuses.
    void SetFileOperationAnswer(std::optional<FileOperationResult> answer);
    // FO_DELETE of a file inside this folder removes nothing and answers
    // ERROR_ACCESS_DENIED, as the copy engine does (with FOF_NOERRORUI) for
    // a standard user in the all-users Startup folder.
    void RefuseDeletesIn(std::wstring folder) { refusedFolder_ = std::move(folder); }
    // The folder the next browse dialogs return; none: the user cancels.
    void SetBrowseResult(std::optional<std::wstring> folder);
    // What ShellExecuteExW reports from now on, for instance kErrorCancelled
    // for a declined elevation; kErrorSuccess unless set.
    void SetExecuteExWError(std::uint32_t error) { executeExWError_ = error; }
    // What the next ToggleDesktop calls answer; S_OK unless set.
    void SetToggleDesktopResult(HResult result) noexcept { toggleDesktopResult_ = result; }

    const std::vector<ExecuteRecord>& Executed() const { return executed_; }
    const std::vector<FileOperation>& FileOperations() const { return fileOperations_; }
    const std::vector<BrowseInfo>& Browsed() const { return browsed_; }
    // Icon requests may come from a worker thread: read them once it is done.
    const std::vector<std::wstring>& IconRequests() const { return iconRequests_; }
    // The size in pixels of the last icon asked for; 0 before any.
    int LastIconSize() const {
        const std::lock_guard lock(iconRequestsMutex_);
        return lastIconSize_;
    }
    // Id lists and icons handed out and not yet freed.
    int LiveIdLists() const { return *liveIdLists_; }
    int LiveIcons() const { return *liveIcons_; }

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
    std::map<int, std::pair<std::string, HResult>> folderPaths_;
    std::map<int, std::wstring> folderLocations_;
    std::map<int, std::wstring> wideFolderPaths_;
    std::function<std::optional<std::wstring>(KnownFolder)> knownFolders_;
    std::set<std::wstring> icons_;
    std::function<bool(const std::wstring&)> remover_;
    std::wstring refusedFolder_;
    std::optional<std::wstring> browseResult_;
    std::optional<FileOperationResult> fileOperationAnswer_;
    std::uint32_t executeExWError_ = 0;
    HResult toggleDesktopResult_ = kSOk;
    std::vector<ExecuteRecord> executed_;
    std::vector<FileOperation> fileOperations_;
    std::vector<BrowseInfo> browsed_;
    std::vector<std::wstring> iconRequests_;
    mutable std::mutex iconRequestsMutex_;
    int lastIconSize_ = 0;  // icon calls may come from several workers
    std::shared_ptr<std::atomic<int>> liveIdLists_;
    std::shared_ptr<std::atomic<int>> liveIcons_;
    struct IconGate;
    std::shared_ptr<IconGate> iconGate_;
};

}  // namespace quillmark
