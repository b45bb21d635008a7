#include "platform/win32/win32_image_list.h"

namespace quillmark {

Win32ImageList::Win32ImageList(HICON builtIn)
    : handle_(ImageList_Create(kSize, kSize, ILC_COLORDDB | ILC_MASK, 1, kGrowBy)) {
    if (handle_ && builtIn != nullptr) ImageList_ReplaceIcon(handle_.get(), -1, builtIn);
}

Win32ImageList::Win32ImageList(UniqueImageList handle) : handle_(std::move(handle)) {}

int Win32ImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

int Win32ImageList::BitsPerPixel() const {
    if (!handle_ || Count() == 0) return 0;
    IMAGEINFO info{};
    if (!ImageList_GetImageInfo(handle_.get(), 0, &info)) return 0;
    BITMAP bitmap{};
    if (GetObjectW(info.hbmImage, sizeof(bitmap), &bitmap) == 0) return 0;
    return bitmap.bmBitsPixel;
}

int Win32ImageList::AddIcon(const FileIcon& icon) {
    if (!handle_) return -1;
    // Icons in this process come from Win32Shell only.
    return ImageList_ReplaceIcon(handle_.get(), -1, static_cast<const Win32FileIcon&>(icon).Handle());
}

std::unique_ptr<ImageList> Win32ImageList::CopyImages() const {
    return std::make_unique<Win32ImageList>(UniqueImageList(ImageList_Duplicate(handle_.get())));
}

bool Win32ImageList::RecreateColor32() {
    int width = kSize;
    int height = kSize;
    if (handle_) ImageList_GetIconSize(handle_.get(), &width, &height);
    // The main window's list is always masked; the mask keeps the icons' transparent parts.
    const UINT flags = ILC_COLOR32 | ILC_MASK;
    // The list views still show the old list until they are pointed at the
    // new one; it is destroyed only after that, at the end of this scope.
    const UniqueImageList previous(std::move(handle_));
    handle_.reset(ImageList_Create(width, height, flags, 0, kGrowBy));
    if (handleChanged_) handleChanged_(handle_.get());
    return static_cast<bool>(handle_);
}

void Win32ImageList::AppendImages(const ImageList& from) {
    const auto& source = static_cast<const Win32ImageList&>(from);
    if (!handle_ || !source.handle_) return;
    const int count = source.Count();
    for (int i = 0; i < count; ++i) {
        // The icon form carries the image with its mask; ReplaceIcon copies it.
        UniqueIcon icon(ImageList_GetIcon(source.handle_.get(), i, ILD_NORMAL));
        if (icon) ImageList_ReplaceIcon(handle_.get(), -1, icon.get());
    }
}

}  // namespace quillmark
