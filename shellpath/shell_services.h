#pragma once
#include <memory>
#include <string>

namespace quillmark {

struct Platform;
class ImageList;
class ShellIdList;
class FileIcon;

// CSIDL values Quillmark uses.
inline constexpr int kCsidlDesktop = 0x00;
inline constexpr int kCsidlPersonal = 0x05;
inline constexpr int kCsidlDesktopDirectory = 0x10;
inline constexpr int kCsidlDrives = 0x11;
inline constexpr int kCsidlCommonDesktopDirectory = 0x19;
inline constexpr int kCsidlCommonAppData = 0x23;
inline constexpr int kCsidlSystem = 0x25;
inline constexpr int kCsidlProgramFiles = 0x26;
inline constexpr int kCsidlProgramFilesCommon = 0x2B;
inline constexpr int kCsidlCommonDocuments = 0x2E;

// Folder lookups, in UTF-16; empty text when the shell or the registry has no answer.
std::wstring SpecialFolderPath(const Platform& platform, int csidl);
// The full path of a program in the system folder (System32), so that a file
// of the same name in the current directory or beside the exe is never
// started instead; empty when the system folder is unknown.
std::wstring SystemProgramPath(const Platform& platform, const std::wstring& fileName);
std::wstring DesktopPath(const Platform& platform);
// The all-users folder that a value of the "Shell Folders" key names, as the
// shell knows it now ("Common Programs" only); empty for other names.
std::wstring CommonShellFolderPath(const Platform& platform, const std::string& valueName);

// Hand a folder or a property sheet to the shell; what it does is not examined.
void OpenSpecialFolder(const Platform& platform, int csidl);
void ShowFileProperties(const Platform& platform, const std::wstring& path);

// Rebuilds the list at 32 bits per pixel keeping its images; throws Error
// "Invalid ImageList" when the new list cannot be made. No list: nothing.
void MakeImageList32Bit(ImageList* list);
// Appends the file's shell icon; the new index, or -1 when there is none.
int AddFileIcon(const Platform& platform, ImageList& list, const std::wstring& path);
// The shell's half of AddFileIcon: the file's icon for `size` x `size`
// pixels, or null when there is none. Touches no image list, so any thread
// in a COM apartment may ask.
std::unique_ptr<FileIcon> FileIconOf(const Platform& platform, const std::wstring& path, int size);

// Why the shell did not recycle a file: a text for the user, and whether
// missing rights were the cause.
struct RecycleFailure {
    std::wstring reason;
    bool accessDenied = false;
};

// What the shell does with a file on a volume that has no recycle bin.
enum class WithoutRecycleBin {
    AskFirst,       // it asks the user before deleting the file for good
    DeleteForGood,  // it asks nobody: for a program that has nobody to answer
};

// Sends exactly that file to the recycle bin; false for folders, missing
// files and paths holding wildcards, which leave `failure` empty, and when
// the shell refused or the user declined, which `failure` (when given) explains.
bool RecycleFile(const Platform& platform, const std::wstring& path, RecycleFailure* failure = nullptr,
                 WithoutRecycleBin withoutBin = WithoutRecycleBin::AskFirst);
// Writes folder + "\" + name + ".lnk" pointing at target. True when the
// shortcut was written; otherwise `failure`, when given, receives the
// system's text for why not. Throws Error only when the link object cannot be had.
bool CreateShortcutFile(const Platform& platform, const std::wstring& target, const std::wstring& name,
                        const std::wstring& folder, std::wstring* failure = nullptr, bool* accessDenied = nullptr);

// The shell's folder picker, starting at the initial folder (the documents
// folder when empty); empty text when cancelled or not a file-system folder.
std::wstring BrowseForFolder(const Platform& platform, const std::wstring& title, const std::wstring& initialFolder);

// Frees an id list the shell handed out, through the shell's allocator.
void FreeIdList(std::unique_ptr<ShellIdList>& list) noexcept;

}  // namespace quillmark
