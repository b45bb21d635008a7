#include "app/text_fit.h"

#include <algorithm>

namespace quillmark {

namespace {

bool SameParent(const ComponentLayout& a, const ComponentLayout& b) noexcept { return a.parent == b.parent; }

bool ShareHeight(const Bounds& a, const Bounds& b) noexcept {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

RowSpan FreeSpanOf(const ComponentLayout& layout, std::span<const ComponentLayout> components) noexcept {
    RowSpan span;
    const Bounds& own = layout.bounds;
    for (const ComponentLayout& other : components) {
        if (&other == &layout || other.kind == ComponentKind::Image || !SameParent(layout, other) ||
            !ShareHeight(own, other.bounds)) {
            continue;
        }
        const Bounds& theirs = other.bounds;
        if (theirs.left >= own.left + own.width) span.right = std::min(span.right, theirs.left);
        if (theirs.left + theirs.width <= own.left) span.left = std::max(span.left, theirs.left + theirs.width);
    }
    return span;
}

Bounds FitToText(const Bounds& tabled, const TextRoom& room, bool rightAligned, const RowSpan& span) noexcept {
    Bounds fitted = tabled;
    fitted.width = std::max(tabled.width, room.width);
    fitted.height = std::max(tabled.height, room.height);
    if (rightAligned) fitted.left -= fitted.width - tabled.width;
    const int pastRight = fitted.left + fitted.width - span.right;
    if (pastRight > 0) fitted.left -= std::clamp(fitted.left - span.left, 0, pastRight);
    const int pastLeft = span.left - fitted.left;
    if (pastLeft > 0) fitted.left += std::clamp(span.right - (fitted.left + fitted.width), 0, pastLeft);
    return fitted;
}

}  // namespace quillmark
