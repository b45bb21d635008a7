#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "platform/image_list.h"
#include "platform/shell.h"
#include "platform/win32/shell_handles.h"

namespace quillmark {

// The main window's shared small-image list: square images with masks,
// growing by 4, with one built-in image at index 0. The list views show its
// handle; when MakeImageList32Bit or Resize swaps the handle the owner learns
// it through the handle-changed callback and repoints the views.
class Win32ImageList final : public ImageList {
public:
    static constexpr int kGrowBy = 4;
    // The built-in image drawn for `size` x `size` pixels; the list copies it.
    using BuiltInImage = std::function<UniqueIcon(int size)>;

    // Creates the list for images of `size` pixels with the built-in one at index 0.
    Win32ImageList(int size, BuiltInImage builtIn);
    // Takes over an existing list handle (a temporary copy).
    explicit Win32ImageList(UniqueImageList handle);

    HIMAGELIST Handle() const noexcept { return handle_.get(); }
    // Called with the new handle (null when the creation failed) each time
    // the list's handle is replaced.
    void SetHandleChanged(std::function<void(HIMAGELIST)> callback) { handleChanged_ = std::move(callback); }

    // Starts the list anew for images of `size` pixels (the window moved to
    // a screen of another DPI): the built-in image alone, at the list's
    // colour depth. The lists' rows must have their images added again.
    void Resize(int size);

    int Count() const override;
    int IconSize() const override;
    int BitsPerPixel() const override;
    int AddIcon(const FileIcon& icon) override;
    std::unique_ptr<ImageList> CopyImages() const override;
    bool RecreateColor32() override;
    void AppendImages(const ImageList& from) override;

private:
    void AddBuiltIn(int size);

    BuiltInImage builtIn_;
    int size_ = 0;
    UniqueImageList handle_;
    std::function<void(HIMAGELIST)> handleChanged_;
};

// The shell's icon as Win32 holds it; destroyed once, with this object.
class Win32FileIcon final : public FileIcon {
public:
    explicit Win32FileIcon(HICON icon) noexcept : icon_(icon) {}
    HICON Handle() const noexcept { return icon_.get(); }

private:
    UniqueIcon icon_;
};

}  // namespace quillmark
