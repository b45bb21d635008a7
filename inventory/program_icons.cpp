#include "inventory/program_icons.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/image_list.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

ProgramKey ProgramIcons::KeyOf(const Platform& platform, const std::wstring& program) {
    return ProgramKey{platform.codePage.Upper(program), platform.files.LastWriteTime(program)};
}

std::optional<int> ProgramIcons::Find(const ProgramKey& key) const {
    const auto found = indexes_.find(key);
    if (found == indexes_.end()) return std::nullopt;
    return found->second;
}

int ProgramIcons::Store(ImageList& images, const ProgramKey& key, const FileIcon* icon) {
    if (icon == nullptr) {
        indexes_[key] = -1;
        return -1;
    }
    const int index = images.AddIcon(*icon);
    if (index >= 0) indexes_[key] = index;
    return index;
}

int ProgramIcons::IconIndex(const Platform& platform, ImageList& images, const std::wstring& program) {
    const ProgramKey key = KeyOf(platform, program);
    if (const auto known = Find(key)) return *known;
    const auto icon = FileIconOf(platform, program);
    return Store(images, key, icon.get());
}

}  // namespace quillmark
