#include "tests/stand_ins/memory_file_system.h"

#include <algorithm>
#include <chrono>

#include "tests/stand_ins/text_case.h"
#include "platform/windows_error.h"

namespace quillmark {

namespace {

bool IsDriveSpec(const std::wstring& text) {
    return text.size() == 2 && text[1] == L':' && UpperChar(text[0]) >= L'A' && UpperChar(text[0]) <= L'Z';
}

// Characters no Windows file name can hold (wildcards included).
bool IsValidName(const std::wstring& name) {
    if (name.empty()) return false;
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) return false;
    }
    return true;
}

// FindFirstFileW's wildcard match: "*" any run, "?" any one character,
// without regard to letter case. "*.*" matches every name, with or without
// a dot, as Windows keeps it for DOS compatibility.
bool WildcardMatch(const std::wstring& mask, const std::wstring& name) {
    if (mask == L"*" || mask == L"*.*") return true;
    const std::wstring m = CaseKey(mask);
    const std::wstring n = CaseKey(name);
    std::size_t mi = 0, ni = 0, starMask = std::wstring::npos, starName = 0;
    while (ni < n.size()) {
        if (mi < m.size() && (m[mi] == L'?' || m[mi] == n[ni])) {
            ++mi;
            ++ni;
        } else if (mi < m.size() && m[mi] == L'*') {
            starMask = mi++;
            starName = ni;
        } else if (starMask != std::wstring::npos) {
            mi = starMask + 1;
            ni = ++starName;
        } else {
            return false;
        }
    }
    while (mi < m.size() && m[mi] == L'*') ++mi;
    return mi == m.size();
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() { Add({L"C:"}, kAttrDirectory); }

std::vector<std::wstring> MemoryFileSystem::Components(const std::wstring& path) const {
    std::wstring text = path;
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if (text.empty()) return {};
    // Complete a relative path from the current directory, and a rooted one
    // ("\dir") with the current drive.
    if (text.size() >= 2 && text[1] == L':') {
        if (text.size() > 2 && text[2] != L'\\') text.insert(2, L"\\");
    } else if (text[0] == L'\\') {
        if (text.size() > 1 && text[1] == L'\\') return {};  // UNC paths are not modelled
        text = currentDirectory_.substr(0, 2) + text;
    } else {
        text = currentDirectory_ + L"\\" + text;
    }
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find(L'\\', start), text.size());
        const std::wstring part = text.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (parts.size() > 1) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty() || !IsDriveSpec(parts.front())) return {};
    parts.front() = CaseKey(parts.front());
    return parts;
}

std::wstring MemoryFileSystem::KeyOf(const std::vector<std::wstring>& components) {
    std::wstring key;
    for (const auto& part : components) key += (key.empty() ? L"" : L"\\") + CaseKey(part);
    return key;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::vector<std::wstring>& components) {
    if (components.empty()) return nullptr;
    const auto found = nodes_.find(KeyOf(components));
    return found == nodes_.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::Add(const std::vector<std::wstring>& components, std::uint32_t attributes) {
    if (components.empty()) return false;
    if (Node* existing = Find(components)) {
        // Re-adding keeps the entry's place and only changes its attributes,
        // but a folder cannot become a file or the other way round.
        if ((existing->attributes & kAttrDirectory) != (attributes & kAttrDirectory)) return false;
        existing->attributes = attributes;
        existing->lastWrite = ++clock_;
        return true;
    }
    if (components.size() > 1) {
        for (std::size_t i = 1; i < components.size(); ++i) {
            if (!IsValidName(components[i])) return false;
        }
        std::vector<std::wstring> parent(components.begin(), components.end() - 1);
        Node* parentNode = Find(parent);
        if (parentNode == nullptr) {
            if (parent.size() == 1 || !Add(parent, kAttrDirectory)) return false;
            parentNode = Find(parent);
        }
        if (parentNode == nullptr || !(parentNode->attributes & kAttrDirectory)) return false;
        parentNode->children.push_back(KeyOf(components));
    }
    nodes_[KeyOf(components)] = Node{components.back(), attributes, {}, ++clock_, {}, creatorOwner_, false};
    return true;
}

std::vector<FoundEntry> MemoryFileSystem::FindEntries(const std::wstring& pattern) {
    // A pattern ending in a separator names no entry: FindFirstFileW fails.
    if (pattern.empty() || pattern.back() == L'\\' || pattern.back() == L'/') return {};
    auto components = Components(pattern);
    if (components.size() < 2) return {};
    const std::wstring mask = components.back();
    components.pop_back();
    Node* folder = Find(components);
    if (folder == nullptr || !(folder->attributes & kAttrDirectory)) return {};

    std::vector<FoundEntry> entries;
    if (components.size() > 1) {
        // "." is the folder itself and ".." its parent, both with their attributes.
        std::vector<std::wstring> parent(components.begin(), components.end() - 1);
        entries.push_back({L".", folder->attributes});
        entries.push_back({L"..", Find(parent)->attributes});
    }
    std::vector<const Node*> children;
    for (const auto& key : folder->children) children.push_back(&nodes_.at(key));
    if (order_ == ListingOrder::ByName) {
        std::stable_sort(children.begin(), children.end(),
                         [](const Node* a, const Node* b) { return CaseKey(a->name) < CaseKey(b->name); });
    } else if (order_ == ListingOrder::ReverseInsertion) {
        std::reverse(children.begin(), children.end());
    }
    for (const Node* child : children) entries.push_back({child->name, child->attributes});
    std::erase_if(entries, [&](const FoundEntry& entry) { return !WildcardMatch(mask, entry.name); });
    return entries;
}

std::uint32_t MemoryFileSystem::GetAttributes(const std::wstring& path) {
    WaitIfHeld(path);
    if (path.find_first_of(L"*?") != std::wstring::npos) return kInvalidAttributes;
    const Node* node = Find(Components(path));
    return node == nullptr ? kInvalidAttributes : node->attributes;
}

std::uint64_t MemoryFileSystem::LastWriteTime(const std::wstring& path) {
    WaitIfHeld(path);
    if (path.find_first_of(L"*?") != std::wstring::npos) return 0;
    const Node* node = Find(Components(path));
    return node == nullptr ? 0 : node->lastWrite;
}

bool MemoryFileSystem::FileExists(const std::wstring& path) {
    const auto attributes = GetAttributes(path);
    return attributes != kInvalidAttributes && !(attributes & kAttrDirectory);
}

bool MemoryFileSystem::DirectoryExists(const std::wstring& path) {
    const auto attributes = GetAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttrDirectory);
}

bool MemoryFileSystem::ForceDirectories(const std::wstring& path) {
    const auto components = Components(path);
    // CreateDirectoryW cannot make a drive.
    if (components.empty() || Find({components.front()}) == nullptr) return false;
    if (DirectoryExists(path)) return true;
    return Add(components, kAttrDirectory);
}

std::wstring MemoryFileSystem::FullPath(const std::wstring& path) {
    const auto components = Components(path);
    if (components.empty()) return path;
    std::wstring full = components.front() + L"\\";
    for (std::size_t i = 1; i < components.size(); ++i) full += components[i] + (i + 1 < components.size() ? L"\\" : L"");
    // GetFullPathNameW keeps a trailing separator.
    if (components.size() > 1 && !path.empty() && (path.back() == L'\\' || path.back() == L'/')) full += L"\\";
    return full;
}

bool MemoryFileSystem::Copy(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    const auto source = Components(from);
    const auto target = Components(to);
    const Node* sourceNode = Find(source);
    if (sourceNode == nullptr || (sourceNode->attributes & kAttrDirectory) || target.size() < 2) return false;
    // Windows opens the source before the target, so a file cannot be copied onto itself.
    if (KeyOf(source) == KeyOf(target)) return false;
    const Node* folder = Find(std::vector<std::wstring>(target.begin(), target.end() - 1));
    if (folder == nullptr || !(folder->attributes & kAttrDirectory)) return false;
    if (const Node* existing = Find(target)) {
        if (failIfExists || (existing->attributes & (kAttrDirectory | kAttrReadOnly))) return false;
    }
    const std::uint64_t stamp = sourceNode->lastWrite;
    std::vector<std::uint8_t> content = sourceNode->content;
    if (!Add(target, sourceNode->attributes)) return false;
    // CopyFileW gives the copy the source's bytes and last-write time.
    Node* copy = Find(target);
    copy->content = std::move(content);
    copy->lastWrite = stamp;
    return true;
}

std::uint32_t MemoryFileSystem::CopyNew(const std::wstring& from, const std::wstring& to) {
    if (Copy(from, to, true)) {
        // A new file: a link's mark is not copied.
        Find(Components(to))->attributes &= ~kAttrReparsePoint;
        return kErrorSuccess;
    }
    constexpr std::uint32_t kErrorPathNotFound = 3;
    if (GetAttributes(to) != kInvalidAttributes) return kErrorFileExists;
    if (!FileExists(from)) return kErrorFileNotFound;
    const auto target = Components(to);
    if (target.size() < 2 || !DirectoryExists(KeyOf({target.begin(), target.end() - 1}))) return kErrorPathNotFound;
    return kErrorAccessDenied;
}

std::uint64_t MemoryFileSystem::FileSize(const std::wstring& path) {
    if (path.find_first_of(L"*?") != std::wstring::npos) return kInvalidFileSize;
    const Node* node = Find(Components(path));
    if (node == nullptr) return kInvalidFileSize;
    return node->content.size();
}

bool MemoryFileSystem::ReadFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    if (!FileExists(path)) return false;
    bytes = Find(Components(path))->content;
    return true;
}

std::uint32_t MemoryFileSystem::WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    constexpr std::uint32_t kErrorPathNotFound = 3;
    const auto components = Components(path);
    if (components.size() < 2 || DirectoryExists(path)) return kErrorAccessDenied;
    const Node* folder = Find(std::vector<std::wstring>(components.begin(), components.end() - 1));
    if (folder == nullptr || !(folder->attributes & kAttrDirectory)) return kErrorPathNotFound;
    if (const Node* existing = Find(components); existing && (existing->attributes & kAttrReadOnly))
        return kErrorAccessDenied;
    return AddFile(path, bytes) ? kErrorSuccess : kErrorAccessDenied;
}

bool MemoryFileSystem::AddFolder(const std::wstring& path, std::uint32_t attributes) {
    return Add(Components(path), attributes | kAttrDirectory);
}

bool MemoryFileSystem::AddFile(const std::wstring& path, std::uint32_t attributes) {
    const auto components = Components(path);
    if (components.size() < 2) return false;
    return Add(components, attributes & ~kAttrDirectory);
}

bool MemoryFileSystem::AddFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    const Node* existing = Find(Components(path));
    if (!AddFile(path, existing ? existing->attributes : kAttrArchive)) return false;
    Find(Components(path))->content = bytes;
    return true;
}

bool MemoryFileSystem::Remove(const std::wstring& path) {
    const auto components = Components(path);
    if (components.size() < 2 || Find(components) == nullptr) return false;
    const std::wstring key = KeyOf(components);
    std::erase_if(nodes_, [&](const auto& item) { return item.first == key || item.first.rfind(key + L"\\", 0) == 0; });
    Node* parent = Find(std::vector<std::wstring>(components.begin(), components.end() - 1));
    if (parent != nullptr) std::erase(parent->children, key);
    return true;
}

bool MemoryFileSystem::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    Node* node = Find(Components(path));
    if (node == nullptr) return false;
    node->attributes = (attributes & ~kAttrDirectory) | (node->attributes & kAttrDirectory);
    return true;
}

std::vector<std::wstring> MemoryFileSystem::Children(const std::wstring& folder) {
    std::vector<std::wstring> names;
    if (const Node* node = Find(Components(folder))) {
        for (const auto& key : node->children) names.push_back(nodes_.at(key).name);
    }
    return names;
}

bool MemoryFileSystem::IsOnFixedDrive(const std::wstring& path) {
    if (path.size() < 3 || !IsDriveSpec(path.substr(0, 2)) || (path[2] != L'\\' && path[2] != L'/')) return false;
    const std::wstring drive = CaseKey(path.substr(0, 2));
    return Find({drive}) != nullptr && nonFixedDrives_.count(drive) == 0;
}

void MemoryFileSystem::SetDriveFixed(const std::wstring& drive, bool fixed) {
    if (fixed) {
        nonFixedDrives_.erase(CaseKey(drive));
    } else {
        nonFixedDrives_.insert(CaseKey(drive));
    }
}

void MemoryFileSystem::HoldPath(const std::wstring& path) {
    const std::lock_guard lock(holdMutex_);
    heldPaths_.insert(KeyOf(Components(path)));
}

void MemoryFileSystem::ReleaseHeld() {
    const std::lock_guard lock(holdMutex_);
    heldPaths_.clear();
    holdChanged_.notify_all();
}

bool MemoryFileSystem::WaitForHeldCall() {
    std::unique_lock lock(holdMutex_);
    return holdChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return heldCalls_ > 0; });
}

bool MemoryFileSystem::HasHeld(std::thread::id thread) {
    const std::lock_guard lock(holdMutex_);
    return heldThreads_.count(thread) != 0;
}

void MemoryFileSystem::WaitIfHeld(const std::wstring& path) {
    std::unique_lock lock(holdMutex_);
    if (heldPaths_.empty() || heldPaths_.count(KeyOf(Components(path))) == 0) return;
    ++heldCalls_;
    heldThreads_.insert(std::this_thread::get_id());
    holdChanged_.notify_all();
    holdChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return heldPaths_.empty(); });
    --heldCalls_;
}

bool MemoryFileSystem::IsLink(const std::wstring& path) {
    const Node* node = Find(Components(path));
    return node != nullptr && node->link;
}

std::wstring MemoryFileSystem::OwnerSid(const std::wstring& path) {
    const Node* node = Find(Components(path));
    return node == nullptr ? std::wstring() : node->owner;
}

std::uint32_t MemoryFileSystem::CreateFolderForAdministrators(const std::wstring& path) {
    constexpr std::uint32_t kErrorPathNotFound = 3;
    const auto components = Components(path);
    if (components.size() < 2) return kErrorAccessDenied;
    if (Find(components) != nullptr) return kErrorAlreadyExists;
    const Node* parent = Find(std::vector<std::wstring>(components.begin(), components.end() - 1));
    if (parent == nullptr || !(parent->attributes & kAttrDirectory)) return kErrorPathNotFound;
    if (creatorOwner_ != kSidAdministrators) return kErrorAccessDenied;
    return Add(components, kAttrDirectory) ? kErrorSuccess : kErrorAccessDenied;
}

bool MemoryFileSystem::MakeLink(const std::wstring& path) {
    Node* node = Find(Components(path));
    if (node == nullptr) return false;
    node->link = true;
    node->attributes |= kAttrReparsePoint;
    return true;
}

bool MemoryFileSystem::SetOwner(const std::wstring& path, const std::wstring& sid) {
    Node* node = Find(Components(path));
    if (node == nullptr) return false;
    node->owner = sid;
    return true;
}

}  // namespace quillmark
