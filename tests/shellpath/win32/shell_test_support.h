#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace quillmark::win32_testing {

// A fresh folder under %TEMP%, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix = L"qm");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
bool IsFile(const std::wstring& path);

// What the shell's own link object reads from a shortcut file.
struct LinkContents {
    bool loaded = false;
    std::wstring path;
    std::wstring arguments;
    std::wstring description;
    std::wstring workingDirectory;
    std::wstring iconLocation;
    int iconIndex = 0;
    WORD hotKey = 0;
    int showCommand = 0;
};
LinkContents ReadLink(const std::wstring& file);
// What the ANSI link object reports as the short form of the shortcut's target.
std::wstring ShortPath(const std::wstring& file);
// Writes a plain shortcut through IShellLinkW; true when saved.
bool WriteLink(const std::wstring& file, const std::wstring& target);

// Top-level windows of this process that are visible: a dialog would be one.
int VisibleWindowsOfThisProcess();

}  // namespace quillmark::win32_testing
