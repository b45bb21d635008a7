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

std::uint32_t Win32FileSystem::CopyNew(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(from.c_str(), to.c_str(), TRUE) ? ERROR_SUCCESS : GetLastError();
}

std::uint64_t Win32FileSystem::FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return kInvalidFileSize;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::ReadFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!buffer.empty() &&
        (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) ||
         read != buffer.size())) {
        return false;
    }
    bytes = std::move(buffer);
    return true;
}

std::uint32_t Win32FileSystem::WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!bytes.empty() &&
        !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return GetLastError();
    }
    // A short write without an error is how a full disk can show.
    if (written != bytes.size()) return ERROR_DISK_FULL;
    // Flushed before the caller relies on it: a record counts only once it is on the disk.
    return FlushFileBuffers(file.get()) ? ERROR_SUCCESS : GetLastError();
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
