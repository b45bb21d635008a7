#include "tests/stand_ins/counting_image_list.h"

namespace quillmark {

int CountingImageList::AddIcon(const FileIcon&) {
    if (!hasHandle_ || refuseIcons_) return -1;
    return count_++;
}

std::unique_ptr<ImageList> CountingImageList::CopyImages() const {
    return std::make_unique<CountingImageList>(count_, bitsPerPixel_, iconSize_);
}

bool CountingImageList::RecreateColor32() {
    ++generation_;
    count_ = 0;
    hasHandle_ = !failRecreate_;
    bitsPerPixel_ = hasHandle_ ? 32 : 0;
    return hasHandle_;
}

void CountingImageList::AppendImages(const ImageList& from) {
    if (hasHandle_) count_ += from.Count();
}

}  // namespace quillmark
