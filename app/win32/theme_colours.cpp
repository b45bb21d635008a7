#include "app/win32/theme_colours.h"

#include "app/main_view.h"

namespace quillmark {

COLORREF ResolvedColour(std::uint32_t colour) noexcept {
    return IsSystemColour(colour) ? GetSysColor(static_cast<int>(colour & 0xFFu)) : static_cast<COLORREF>(colour);
}

}  // namespace quillmark
