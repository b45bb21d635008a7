#pragma once

namespace quillmark {

// The shared 16x16 small-image list of the main window's lists. Windows
// wraps an HIMAGELIST; native tests use a counting stand-in.
class ImageList {
public:
    virtual ~ImageList() = default;
    virtual int Count() const = 0;
};

}  // namespace quillmark
