#pragma once
#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quillmark {

struct Platform;
class ImageList;
class FileIcon;

// Which program file an icon was taken from: its path as Windows compares
// names (upper-cased) and the file's last-write time, so a program that has
// been rewritten since is a new program with a new icon.
struct ProgramKey {
    std::wstring foldedPath;
    std::uint64_t lastWrite = 0;  // 0: the path could not be read
    auto operator<=>(const ProgramKey&) const = default;
};

// One image per program in the shared image list, for as long as the main
// window lives: a row whose program has been looked up before takes its
// index without asking the shell again, so reloading never grows the list.
class ProgramIcons {
public:
    static ProgramKey KeyOf(const Platform& platform, const std::wstring& program);

    // The image index for that program (-1: the shell has none); nothing
    // when it has not been looked up yet.
    std::optional<int> Find(const ProgramKey& key) const;
    // The key last stored for this upper-cased path, with its image index;
    // found without touching the file, so the window's thread may ask.
    std::optional<std::pair<ProgramKey, int>> LatestOf(const std::wstring& foldedPath) const;
    // The image for a key the icon worker read: the known one when the
    // shell was not asked, else the shell's icon stored.
    int Take(ImageList& images, const ProgramKey& key, bool iconAsked, const FileIcon* icon);
    // Appends the shell's icon (null: none) and remembers the index; -1 when
    // there is no icon or the list refuses it. A refused icon is not kept, so
    // the next load tries again.
    int Store(ImageList& images, const ProgramKey& key, const FileIcon* icon);
    // Find, or ask the shell on this thread and Store.
    int IconIndex(const Platform& platform, ImageList& images, const std::wstring& program);
    std::size_t ProgramCount() const noexcept { return indexes_.size(); }

private:
    std::map<ProgramKey, int> indexes_;
    std::map<std::wstring, ProgramKey> latest_;  // by folded path
};

}  // namespace quillmark
