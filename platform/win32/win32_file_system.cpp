#include "platform/win32/win32_file_system.h"

#include <aclapi.h>
#include <sddl.h>

#include "platform/win32/handles.h"

namespace quillmark {

namespace {

// Administrators own it; Administrators and SYSTEM have full control, Users
// read and list (FILE_GENERIC_READ | FILE_EXECUTE); "P" keeps the parent's
// entries (ProgramData lets every user create and own folders) out; OICI
// hands the entries down to every folder and file made inside.
constexpr wchar_t kAdministratorsFolder[] =
    L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

std::uint32_t CreateFolderWith(const std::wstring& path, const wchar_t* descriptorText) {
    UniqueLocalMemory descriptor;  // the descriptor comes from LocalAlloc
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptorText, SDDL_REVISION_1, descriptor.put(),
                                                              nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
    return CreateDirectoryW(path.c_str(), &attributes) ? ERROR_SUCCESS : GetLastError();
}

// Removes a file this process has open for writing when the handle closes.
void DeleteOnClose(HANDLE file) noexcept {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition));
}

}  // namespace

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
    UniqueFileHandle source(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source) return GetLastError();
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(source.get(), &information)) return GetLastError();
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
    // CREATE_NEW fails on any name that exists; FILE_FLAG_OPEN_REPARSE_POINT
    // makes a link planted there count as existing instead of leading the
    // new file wherever it points.
    UniqueFileHandle target(CreateFileW(to.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!target) {
        const DWORD error = GetLastError();
        return error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error;
    }
    std::vector<std::uint8_t> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            const DWORD error = GetLastError();
            DeleteOnClose(target.get());
            return error;
        }
        if (read == 0) break;
        DWORD written = 0;
        if (!::WriteFile(target.get(), buffer.data(), read, &written, nullptr) || written != read) {
            const DWORD error = written != read && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError();
            DeleteOnClose(target.get());
            return error;
        }
    }
    // As CopyFileW: the source's attributes and last-write time, set last so
    // a read-only attribute does not stop the writing.
    FILE_BASIC_INFO basic{};
    basic.LastWriteTime.LowPart = information.ftLastWriteTime.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(information.ftLastWriteTime.dwHighDateTime);
    basic.FileAttributes = information.dwFileAttributes &
                           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(target.get(), FileBasicInfo, &basic, sizeof(basic)) ||
        !FlushFileBuffers(target.get())) {
        const DWORD error = GetLastError();
        DeleteOnClose(target.get());
        return error;
    }
    return ERROR_SUCCESS;
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

bool Win32FileSystem::IsLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    // The find data carries the reparse tag; a name surrogate (symbolic
    // link, junction, mount point) leads elsewhere. A tag of 0, as Wine
    // reports for a Unix link, or none at all, cannot be told apart from one.
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(FindFirstFileW(path.c_str(), &data));
    if (!find || data.dwReserved0 == 0) return true;
    return IsReparseTagNameSurrogate(data.dwReserved0);
}

std::wstring Win32FileSystem::OwnerSid(const std::wstring& path) {
    PSID owner = nullptr;
    UniqueLocalMemory descriptor;  // the descriptor comes from LocalAlloc
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, descriptor.put()) != ERROR_SUCCESS ||
        owner == nullptr)
        return {};
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(owner, &text)) return {};
    const UniqueLocalMemory memory(text);
    return text;
}

std::uint32_t Win32FileSystem::CreateFolderForAdministrators(const std::wstring& path) {
    // Only a token that may name the group as owner (an elevated
    // administrator's) creates it: a standard user's folder there would be
    // its creator's, and refused by every reader from then on.
    const std::uint32_t error = CreateFolderWith(path, kAdministratorsFolder);
    return error == ERROR_INVALID_OWNER ? ERROR_ACCESS_DENIED : error;
}

}  // namespace quillmark
