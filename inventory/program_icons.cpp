#include "inventory/program_icons.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/image_list.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

ProgramKey ProgramIcons::KeyOf(const Platform& platform, const std::wstring& program) {
    return ProgramKey{platform.codePage.Upper(program), platform.files.LastWriteTime(ReachablePath(platform, program))};
}

std::optional<int> ProgramIcons::Find(const ProgramKey& key) const {
    const auto found = indexes_.find(key);
    if (found == indexes_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::pair<ProgramKey, int>> ProgramIcons::LatestOf(const std::wstring& foldedPath) const {
    const auto latest = latest_.find(foldedPath);
    if (latest == latest_.end()) return std::nullopt;
    const auto index = Find(latest->second);
    if (!index) return std::nullopt;
    return std::pair{latest->second, *index};
}

int ProgramIcons::Take(ImageList& images, const ProgramKey& key, bool iconAsked, const FileIcon* icon) {
    if (!iconAsked) {
        if (const auto known = Find(key)) return *known;
    }
    return Store(images, key, icon);
}

int ProgramIcons::Store(ImageList& images, const ProgramKey& key, const FileIcon* icon) {
    const int index = icon == nullptr ? -1 : images.AddIcon(*icon);
    if (icon != nullptr && index < 0) return index;
    indexes_[key] = index;
    latest_[key.foldedPath] = key;
    return index;
}

int ProgramIcons::IconIndex(const Platform& platform, ImageList& images, const std::wstring& program) {
    const ProgramKey key = KeyOf(platform, program);
    if (const auto known = Find(key)) return *known;
    const auto icon = FileIconOf(platform, program, images.IconSize());
    return Store(images, key, icon.get());
}

}  // namespace quillmark
