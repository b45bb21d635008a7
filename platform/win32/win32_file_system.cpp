#include "platform/win32/win32_file_system.h"

#include "platform/win32/handles.h"

namespace quillmark {

std::vector<FoundEntry> Win32FileSystem::FindEntries(const std::wstring& pattern) {
    std::vector<FoundEntry> entries;
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        entries.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::uint32_t Win32FileSystem::GetAttributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

std::uint64_t Win32FileSystem::LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::ForceDirectories(const std::wstring& path) {
    std::wstring folder = path;
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    // Parents first; a drive root ("C:\") or a path without a parent ends the climb.
    const auto separator = folder.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0) {
        const std::wstring parent = folder.substr(0, separator);
        if (!(parent.size() == 2 && parent[1] == L':') && !ForceDirectories(parent)) return false;
    }
    return CreateDirectoryW(folder.c_str(), nullptr) || DirectoryExists(folder);
}

std::wstring Win32FileSystem::FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    return CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32FileSystem::IsOnFixedDrive(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return false;
    const wchar_t letter = path[0];
    if (!((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z'))) return false;
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

}  // namespace quillmark
