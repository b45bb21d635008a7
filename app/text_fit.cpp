#include "app/text_fit.h"

#include <algorithm>

namespace quillmark {

Bounds FitToText(const Bounds& tabled, const TextRoom& room, bool rightAligned) noexcept {
    Bounds fitted = tabled;
    fitted.width = std::max(tabled.width, room.width);
    fitted.height = std::max(tabled.height, room.height);
    if (rightAligned) fitted.left -= fitted.width - tabled.width;
    return fitted;
}

}  // namespace quillmark
