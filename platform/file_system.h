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
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;
inline constexpr std::uint64_t kInvalidFileSize = 0xFFFFFFFFFFFFFFFFull;

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
    // CopyFileW refusing to replace an existing target, with its Windows
    // error code (kErrorSuccess when copied), so a caller can tell missing
    // rights from the rest.
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
};

}  // namespace quillmark
