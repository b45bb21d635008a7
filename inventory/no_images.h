#pragma once
#include <memory>

#include "platform/image_list.h"

namespace quillmark {

// An image list that takes no images. The inventory's context needs one
// where no icon is asked for: in quillmark-cli, which shows none, and on a
// reading thread, since the window's image list belongs to the window's thread.
class NoImages final : public ImageList {
public:
    int Count() const override { return 0; }
    int IconSize() const override { return 0; }
    int BitsPerPixel() const override { return 0; }
    int AddIcon(const FileIcon&) override { return -1; }
    std::unique_ptr<ImageList> CopyImages() const override { return std::make_unique<NoImages>(); }
    bool RecreateColor32() override { return false; }
    void AppendImages(const ImageList&) override {}
};

}  // namespace quillmark
