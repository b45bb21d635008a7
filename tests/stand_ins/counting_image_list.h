#pragma once
#include "platform/image_list.h"

namespace quillmark {

// Stand-in for the shared image list: counts its images. It starts with the
// built-in image at index 0, at the display's colour depth.
class CountingImageList final : public ImageList {
public:
    explicit CountingImageList(int count = 1, int bitsPerPixel = 24, int iconSize = 16)
        : count_(count), bitsPerPixel_(bitsPerPixel), iconSize_(iconSize) {}

    // Makes AddIcon refuse icons (returns -1), as a list that cannot grow.
    void RefuseIcons(bool refuse) { refuseIcons_ = refuse; }
    // Makes the next RecreateColor32 fail, leaving the list without handle.
    void FailRecreate(bool fail) { failRecreate_ = fail; }
    bool HasHandle() const { return hasHandle_; }
    // How often the handle was replaced.
    int Generation() const { return generation_; }

    // Starts the list anew for another DPI: the built-in image alone, at this size.
    void Resize(int iconSize) {
        iconSize_ = iconSize;
        count_ = 1;
    }

    int Count() const override { return count_; }
    int IconSize() const override { return iconSize_; }
    int BitsPerPixel() const override { return hasHandle_ ? bitsPerPixel_ : 0; }
    int AddIcon(const FileIcon& icon) override;
    std::unique_ptr<ImageList> CopyImages() const override;
    bool RecreateColor32() override;
    void AppendImages(const ImageList& from) override;

private:
    int count_;
    int bitsPerPixel_;
    int iconSize_;
    bool refuseIcons_ = false;
    bool failRecreate_ = false;
    bool hasHandle_ = true;
    int generation_ = 0;
};

}  // namespace quillmark
