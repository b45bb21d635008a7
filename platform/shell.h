#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/hresult.h"

namespace quillmark {

// Values of the shell calls, as Windows numbers them.
inline constexpr std::uint32_t kSeeMaskIdList = 0x4;
inline constexpr std::uint32_t kSeeMaskInvokeIdList = 0xC;
inline constexpr std::uint32_t kSeeMaskFlagDdeWait = 0x100;
inline constexpr std::uint32_t kSeeMaskFlagNoUi = 0x400;
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;
inline constexpr std::uint32_t kFoDelete = 3;
inline constexpr std::uint16_t kFofSilent = 0x4;
inline constexpr std::uint16_t kFofNoConfirmation = 0x10;
inline constexpr std::uint16_t kFofAllowUndo = 0x40;
inline constexpr std::uint16_t kFofNoErrorUi = 0x400;
inline constexpr std::uint16_t kFofWantNukeWarning = 0x4000;
inline constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x1;
inline constexpr std::uint32_t kBifEditBox = 0x10;
inline constexpr std::uint32_t kBifNewDialogStyle = 0x40;
// IDispatch::Invoke's answer when the method itself raised an exception.
inline constexpr HResult kDispEException = static_cast<HResult>(0x80020009u);
// ShellExecuteExW's answer when the user declined the consent prompt.
inline constexpr std::uint32_t kErrorCancelled = 1223;

// A shell item id list handed out by the shell. Destroying it frees it
// through the shell's allocator (SHGetMalloc, then IMalloc::Free).
class ShellIdList {
public:
    virtual ~ShellIdList() = default;
};

// An icon handle from the shell; destroying it destroys the handle.
class FileIcon {
public:
    virtual ~FileIcon() = default;
};

// The known folders Quillmark asks the shell for.
enum class KnownFolder { Startup, CommonStartup, CommonPrograms };

// Which window owns what the shell shows.
enum class ShellOwner { None, Application, MainWindow };

// The SHELLEXECUTEINFOA fields Quillmark sets; every other field stays zero.
struct ShellExecuteInfo {
    std::uint32_t mask = 0;
    std::string verb;
    std::string file;
    const ShellIdList* idList = nullptr;
    int show = kSwHide;
};

// The SHELLEXECUTEINFOW fields Quillmark sets; every other field stays zero.
struct ShellExecuteInfoW {
    ShellOwner owner = ShellOwner::None;
    std::uint32_t mask = 0;
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    int show = kSwHide;
};

// The SHFILEOPSTRUCTW fields Quillmark sets (no pTo, no title; the main
// window owns whatever the shell asks). `from` is one path; the call appends
// the two terminating NULs.
struct FileOperation {
    std::uint32_t function = 0;
    std::wstring from;
    std::uint16_t flags = 0;
};

// What SHFileOperationW gave back: its return value (0 is success; the
// codes are the shell's own, not all of them Windows error codes) and
// fAnyOperationsAborted (the user said no to a question of the shell).
struct FileOperationResult {
    int code = 0;
    bool aborted = false;
};

// The BROWSEINFOW fields Quillmark sets: the application window owns the
// dialog, the desktop is the root, the display-name buffer holds kMaxPath + 1
// units. A non-empty `preselect` installs the selection callback, which on
// BFFM_INITIALIZED sends BFFM_SETSELECTIONW with that path.
struct BrowseInfo {
    std::wstring title;
    std::uint32_t flags = 0;
    std::wstring preselect;
};

class Shell {
public:
    virtual ~Shell() = default;
    // SHGetFolderPathW(no window, csidl, no token, SHGFP_TYPE_CURRENT) into a
    // buffer of kMaxPath + 1 units; `path` becomes its text up to the first NUL.
    virtual HResult GetFolderPathW(int csidl, std::wstring& path) = 0;
    // SHGetKnownFolderPath(folder, default flags, no token): S_OK and the
    // folder's current path, which the shell verifies exists; on failure the
    // shell's code and an empty path.
    virtual HResult GetKnownFolderPath(KnownFolder folder, std::wstring& path) = 0;
    // SHGetSpecialFolderLocation(no window, csidl); null when none comes back.
    virtual std::unique_ptr<ShellIdList> GetSpecialFolderLocation(int csidl) = 0;
    // SHGetPathFromIDListA into kMaxPath characters / SHGetPathFromIDListW
    // into kMaxPath + 1 units; false for an item without a file-system path.
    virtual bool GetPathFromIdListA(const ShellIdList& list, std::string& path) = 0;
    virtual bool GetPathFromIdListW(const ShellIdList& list, std::wstring& path) = 0;
    // ShellExecuteExA with no window; true when it reports success.
    virtual bool ExecuteExA(const ShellExecuteInfo& info) = 0;
    // ShellExecuteExW: kErrorSuccess when it reports success (for "runas":
    // the elevated program has started), else the Windows error code it
    // left (ERROR_CANCELLED when the user said no to the consent prompt).
    virtual std::uint32_t ExecuteExW(const ShellExecuteInfoW& info) = 0;
    // ShellExecuteW / ShellExecuteA(owner, verb, file, parameters, directory,
    // show); empty texts are passed as null. True when the result exceeds 32.
    virtual bool ExecuteW(ShellOwner owner, const std::wstring& verb, const std::wstring& file,
                          const std::wstring& parameters, const std::wstring& directory, int show) = 0;
    virtual bool ExecuteA(ShellOwner owner, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory, int show) = 0;
    virtual FileOperationResult FileOperationW(const FileOperation& operation) = 0;
    // The file's own icon drawn for `size` x `size` pixels: taken at that
    // size from where SHGetFileInfoW locates it (SHGFI_ICONLOCATION), or,
    // where the shell names no file for it, the shell's large icon, which
    // the image list shrinks. Null when the shell has none.
    virtual std::unique_ptr<FileIcon> GetFileIcon(const std::wstring& path, int size) = 0;
    // SHBrowseForFolderW, modal; null when the user cancels.
    virtual std::unique_ptr<ShellIdList> BrowseForFolder(const BrowseInfo& info) = 0;
    // WinExec(commandLine, show): true when the result exceeds 31.
    virtual bool WinExec(const std::string& commandLine, int show) = 0;
    // "Shell.Application" created by its programmatic identifier, then its
    // method "ToggleDesktop" looked up by name and invoked without arguments;
    // the first failing call's code, or S_OK.
    virtual HResult ToggleDesktop() = 0;
};

}  // namespace quillmark
