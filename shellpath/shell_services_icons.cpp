#include "platform/error.h"
#include "platform/image_list.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

void MakeImageList32Bit(ImageList* list) {
    if (list == nullptr) return;
    const auto saved = list->CopyImages();
    // Creating the list anew is the only way to change its colour depth.
    if (!list->RecreateColor32()) throw Error(L"Invalid ImageList");
    list->AppendImages(*saved);
}

std::unique_ptr<FileIcon> FileIconOf(const Platform& platform, const std::wstring& path) {
    // The large icon of the file itself (no SHGFI_USEFILEATTRIBUTES), so the
    // path must exist; the list shrinks it to its own 16x16.
    return platform.shell.GetFileIcon(path, kShgfiIcon);
}

int AddFileIcon(const Platform& platform, ImageList& list, const std::wstring& path) {
    const auto icon = FileIconOf(platform, path);
    if (!icon) return -1;
    return list.AddIcon(*icon);
}

}  // namespace quillmark
