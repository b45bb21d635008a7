#pragma once
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace quillmark {

// In-memory file tree for native tests, with Windows' rules: paths compare
// without regard to letter case, "/" is a separator too, repeated
// separators count as one, and a folder other than a drive root enumerates
// "." and ".." before its entries, as NTFS does. Drive C: exists from the
// start and is the current directory.
class MemoryFileSystem final : public FileSystem {
public:
    // Insertion order is the default; by-name is the order NTFS returns.
    enum class ListingOrder { Insertion, ByName, ReverseInsertion };

    MemoryFileSystem();

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

    // Seeding for tests. Missing parents are created as plain folders; a
    // drive root ("D:\") may be added as a folder. False when the path is not
    // a valid Windows path or a file stands where a folder is needed. Adding
    // a file again rewrites it: its last-write time moves on.
    bool AddFolder(const std::wstring& path, std::uint32_t attributes = kAttrDirectory);
    bool AddFile(const std::wstring& path, std::uint32_t attributes = kAttrArchive);
    // Adds or rewrites a file with these bytes.
    bool AddFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
    // Removes a file, or a folder with everything inside it.
    bool Remove(const std::wstring& path);
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes);
    void SetListingOrder(ListingOrder order) noexcept { order_ = order; }
    void SetCurrentDirectory(const std::wstring& path) { currentDirectory_ = FullPath(path); }
    // Makes an existing file or folder a symbolic link (or junction) that
    // leads to what it holds: a reparse point that IsLink reports.
    bool MakeLink(const std::wstring& path);
    // The owner of an existing entry, and the owner given to every entry made
    // from now on (an elevated administrator's objects belong to the
    // Administrators group, the default; anyone else's to their account).
    // Only while that is the group does CreateFolderForAdministrators succeed.
    bool SetOwner(const std::wstring& path, const std::wstring& sid);
    void SetCreatorOwner(std::wstring sid) { creatorOwner_ = std::move(sid); }
    // Names directly inside a folder, in insertion order ("." and ".." not included).
    std::vector<std::wstring> Children(const std::wstring& folder);
    // Every drive is fixed unless told otherwise ("N:", false: a network or removable drive).
    void SetDriveFixed(const std::wstring& drive, bool fixed);

    // Reading this path's attributes waits until ReleaseHeld (or ten seconds
    // pass), as a call on a share that does not answer waits for the network.
    void HoldPath(const std::wstring& path);
    void ReleaseHeld();
    // Waits until a call waits on a held path; false after ten seconds.
    bool WaitForHeldCall();
    // Whether a call on this thread has waited on a held path.
    bool HasHeld(std::thread::id thread);

private:
    struct Node {
        std::wstring name;  // as created; a drive root is "C:"
        std::uint32_t attributes = 0;
        std::vector<std::wstring> children;  // keys of the entries inside, in insertion order
        std::uint64_t lastWrite = 0;
        std::vector<std::uint8_t> content;  // a file's bytes; seeded files are empty
        std::wstring owner;
        bool link = false;
    };

    // The absolute path as components ("C:", "dir", ...), or empty when the
    // path is not one Windows would accept.
    std::vector<std::wstring> Components(const std::wstring& path) const;
    static std::wstring KeyOf(const std::vector<std::wstring>& components);
    Node* Find(const std::vector<std::wstring>& components);
    bool Add(const std::vector<std::wstring>& components, std::uint32_t attributes);

    void WaitIfHeld(const std::wstring& path);

    std::map<std::wstring, Node> nodes_;
    std::set<std::wstring> nonFixedDrives_;  // upper-cased "N:"
    std::mutex holdMutex_;
    std::condition_variable holdChanged_;
    std::set<std::wstring> heldPaths_;  // keys of the held paths
    int heldCalls_ = 0;
    std::set<std::thread::id> heldThreads_;
    ListingOrder order_ = ListingOrder::Insertion;
    // Ticks once per write, so every write is later than the one before.
    std::uint64_t clock_ = 0;
    std::wstring currentDirectory_ = L"C:\\";
    std::wstring creatorOwner_ = kSidAdministrators;
};

}  // namespace quillmark
