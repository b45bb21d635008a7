#pragma once
#include "platform/file_system.h"

namespace quillmark {

// Files through the wide kernel32 calls.
class Win32FileSystem final : public FileSystem {
public:
    std::vector<FoundEntry> FindEntries(const std::wstring& pattern) override;
    std::uint32_t GetAttributes(const std::wstring& path) override;
    std::uint64_t LastWriteTime(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    bool DirectoryExists(const std::wstring& path) override;
    bool ForceDirectories(const std::wstring& path) override;
    std::wstring FullPath(const std::wstring& path) override;
    bool Copy(const std::wstring& from, const std::wstring& to, bool failIfExists) override;
    std::uint32_t CopyNew(const std::wstring& from, const std::wstring& to) override;
    std::uint64_t FileSize(const std::wstring& path) override;
    bool ReadFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) override;
    std::uint32_t WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
    bool IsOnFixedDrive(const std::wstring& path) override;
    bool IsLink(const std::wstring& path) override;
    std::wstring OwnerSid(const std::wstring& path) override;
    std::uint32_t CreateFolderForAdministrators(const std::wstring& path) override;
};

}  // namespace quillmark
