#pragma once
#include <string>

namespace quillmark {

struct Platform;
class ImageList;

// CSIDL values Quillmark uses.
inline constexpr int kCsidlDesktop = 0x00;
inline constexpr int kCsidlPersonal = 0x05;
inline constexpr int kCsidlDesktopDirectory = 0x10;
inline constexpr int kCsidlDrives = 0x11;
inline constexpr int kCsidlCommonDesktopDirectory = 0x19;
inline constexpr int kCsidlSystem = 0x25;
inline constexpr int kCsidlProgramFiles = 0x26;
inline constexpr int kCsidlProgramFilesCommon = 0x2B;
inline constexpr int kCsidlCommonDocuments = 0x2E;

std::wstring SpecialFolderPath(const Platform& platform, int csidl);
std::string DesktopPath(const Platform& platform);
std::wstring CommonShellFolderPath(const Platform& platform, const std::string& valueName);
void OpenSpecialFolder(const Platform& platform, int csidl);
void ShowFileProperties(const Platform& platform, const std::string& path);
// Rebuilds the list at 32 bits per pixel keeping its images; throws Error
// "Invalid ImageList" when the new list cannot be made.
void MakeImageList32Bit(ImageList* list);
// Appends the file's shell icon; the new index, or -1 when there is none.
int AddFileIcon(const Platform& platform, ImageList& list, const std::wstring& path);
// Sends exactly that file to the recycle bin; false for folders, missing
// files and paths holding wildcards.
bool RecycleFile(const Platform& platform, const std::wstring& path);
// Writes folder + "\" + name + ".lnk" pointing at target. True when the
// shortcut was written; throws Error only when the link object cannot be had.
bool CreateShortcutFile(const Platform& platform, const std::wstring& target, const std::wstring& name,
                        const std::wstring& folder);
std::wstring BrowseForFolder(const Platform& platform, const std::wstring& title, const std::wstring& initialFolder);

}  // namespace quillmark
