#include "platform/error.h"
#include "platform/image_list.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

void MakeImageList32Bit(ImageList* list) {
    if (list == nullptr) return;
    const auto saved = list->CopyImages();
    // Creating the list anew is the only way to change its colour depth.
    if (!list->RecreateColor32()) throw Error(L"Invalid ImageList");
    list->AppendImages(*saved);
}

std::unique_ptr<FileIcon> FileIconOf(const Platform& platform, const std::wstring& path, int size) {
    return platform.shell.GetFileIcon(ReachablePath(platform, path), size);
}

int AddFileIcon(const Platform& platform, ImageList& list, const std::wstring& path) {
    const auto icon = FileIconOf(platform, path, list.IconSize());
    if (!icon) return -1;
    return list.AddIcon(*icon);
}

}  // namespace quillmark
