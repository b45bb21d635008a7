#pragma once
#include <memory>

#include "platform/image_list.h"

namespace quillmark {

// The image list of a program that shows no icons: the inventory's context
// needs one, and quillmark-cli never asks the shell for an icon.
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
