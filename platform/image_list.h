#pragma once
#include <memory>

namespace quillmark {

class FileIcon;

// The shared small-image list of the main window's lists, its images square
// at the small-icon size of the window's DPI (16 pixels at 96 DPI). Windows
// wraps an HIMAGELIST; native tests use a counting stand-in.
class ImageList {
public:
    virtual ~ImageList() = default;
    virtual int Count() const = 0;
    // The width and height of its images, in pixels.
    virtual int IconSize() const = 0;
    // Colour depth of the list's image bitmap; 0 when it has no handle.
    virtual int BitsPerPixel() const = 0;
    // ImageList_AddIcon (ImageList_ReplaceIcon with index -1): the new index,
    // or -1 when the list refuses the icon. The icon stays the caller's.
    virtual int AddIcon(const FileIcon& icon) = 0;
    // A temporary list holding copies of every image with its mask.
    virtual std::unique_ptr<ImageList> CopyImages() const = 0;
    // Replaces the list's handle by a new empty one made with ImageList_Create
    // (same width and height, ILC_COLOR32, plus ILC_MASK when masked, initial
    // size 0, same grow-by); the former handle is destroyed. False when the
    // creation failed: the list then has no handle.
    virtual bool RecreateColor32() = 0;
    // Appends every image of `from`, in order, with its mask.
    virtual void AppendImages(const ImageList& from) = 0;
};

}  // namespace quillmark
