#include "platform/win32/win32_image_list.h"

namespace quillmark {

Win32ImageList::Win32ImageList(int size, BuiltInImage builtIn)
    : builtIn_(std::move(builtIn)),
      size_(size),
      handle_(ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, 1, kGrowBy)) {
    AddBuiltIn(size);
}

Win32ImageList::Win32ImageList(UniqueImageList handle) : handle_(std::move(handle)) {
    int height = 0;
    if (handle_) ImageList_GetIconSize(handle_.get(), &size_, &height);
}

void Win32ImageList::AddBuiltIn(int size) {
    if (!handle_ || !builtIn_) return;
    if (const UniqueIcon icon = builtIn_(size)) ImageList_ReplaceIcon(handle_.get(), -1, icon.get());
}

void Win32ImageList::Resize(int size) {
    const UINT depth = BitsPerPixel() == 32 ? ILC_COLOR32 : ILC_COLORDDB;
    // As in RecreateColor32: the old list goes only once the views show the new one.
    const UniqueImageList previous(std::move(handle_));
    size_ = size;
    handle_.reset(ImageList_Create(size, size, depth | ILC_MASK, 1, kGrowBy));
    AddBuiltIn(size);
    if (handleChanged_) handleChanged_(handle_.get());
}

int Win32ImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

int Win32ImageList::IconSize() const { return size_; }

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
    // The main window's list is always masked; the mask keeps the icons' transparent parts.
    const UINT flags = ILC_COLOR32 | ILC_MASK;
    // The list views still show the old list until they are pointed at the
    // new one; it is destroyed only after that, at the end of this scope.
    const UniqueImageList previous(std::move(handle_));
    handle_.reset(ImageList_Create(size_, size_, flags, 0, kGrowBy));
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
