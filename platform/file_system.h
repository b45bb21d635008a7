#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// File attribute bits as Windows numbers them.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;
inline constexpr std::uint64_t kInvalidFileSize = 0xFFFFFFFFFFFFFFFFull;
// CopyNew's and CreateFolderForAdministrators' answer when the name is taken.
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
// The owners Windows gives the machine's own objects, as string SIDs.
inline constexpr wchar_t kSidAdministrators[] = L"S-1-5-32-544";
inline constexpr wchar_t kSidSystem[] = L"S-1-5-18";

struct FoundEntry {
    std::wstring name;  // file name only, as the find functions report it
    std::uint32_t attributes = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Every entry matching the pattern (FindFirstFileW/FindNextFileW), in the
    // order the file system returns them, "." and ".." included where the
    // folder has them. Empty when nothing matches or the folder is missing.
    virtual std::vector<FoundEntry> FindEntries(const std::wstring& pattern) = 0;
    // GetFileAttributesW: kInvalidAttributes when the path cannot be read.
    virtual std::uint32_t GetAttributes(const std::wstring& path) = 0;
    // GetFileAttributesExW's last-write time (100 ns units since 1601); 0 when
    // the path cannot be read. Rewriting a file moves it on.
    virtual std::uint64_t LastWriteTime(const std::wstring& path) = 0;
    // A plain file (not a folder) exists at the path.
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool DirectoryExists(const std::wstring& path) = 0;
    // Creates the folder and every missing parent; true when it exists afterwards.
    virtual bool ForceDirectories(const std::wstring& path) = 0;
    // Absolute form of a path, completing a relative one from the current directory.
    virtual std::wstring FullPath(const std::wstring& path) = 0;
    // CopyFileW: the file with its attributes, into an existing folder. False
    // when the source is no file, the target's folder is missing, the target
    // exists and `failIfExists` is set, or the target is the source itself.
    virtual bool Copy(const std::wstring& from, const std::wstring& to, bool failIfExists) = 0;
    // A new file at `to` (CreateFileW with CREATE_NEW, the target's own name
    // opened, never a link's target) holding the bytes, attributes and
    // last-write time of `from`: the Windows error code, kErrorSuccess when
    // copied, kErrorFileExists when anything, a link included, has that name.
    // A failed copy leaves no file behind.
    virtual std::uint32_t CopyNew(const std::wstring& from, const std::wstring& to) = 0;
    // GetFileAttributesExW's size of a file in bytes; kInvalidFileSize when
    // the path cannot be read.
    virtual std::uint64_t FileSize(const std::wstring& path) = 0;
    // The whole file's bytes; false when it cannot be opened or read.
    virtual bool ReadFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) = 0;
    // Creates the file, or replaces the contents of an existing one, with
    // exactly these bytes, in an existing folder: the Windows error code,
    // kErrorSuccess when every byte was written.
    virtual std::uint32_t WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;
    // True when the path ("X:\...") lies on a drive GetDriveTypeW calls fixed
    // or a RAM disk; false on network, removable and optical drives, drives
    // that do not exist, UNC and relative paths. Only such a path's absence
    // means the file is gone rather than out of reach.
    virtual bool IsOnFixedDrive(const std::wstring& path) = 0;
    // True when the path is a reparse point that can lead elsewhere: a
    // symbolic link, a junction, a mount point, or one whose kind cannot be
    // told (Wine shows its Unix links so). False for plain files and folders,
    // for reparse points that keep their own data (cloud files), and for
    // paths that cannot be read.
    virtual bool IsLink(const std::wstring& path) = 0;
    // The owner of a file or folder as a string SID ("S-1-5-32-544"); empty
    // when it cannot be read.
    virtual std::wstring OwnerSid(const std::wstring& path) = 0;
    // Creates one folder, in an existing parent, owned by the Administrators
    // group where the process may say so, whose access list (kept from
    // inheriting its parent's) gives Administrators and SYSTEM full control
    // and Users only reading, inherited by all that is made inside it. The
    // Windows error code: kErrorAlreadyExists when the name is taken.
    virtual std::uint32_t CreateFolderForAdministrators(const std::wstring& path) = 0;
};

}  // namespace quillmark
