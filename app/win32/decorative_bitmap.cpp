#include "app/win32/decorative_bitmap.h"

#include <cstdint>

namespace quillmark {

UniqueBitmap LoadDecorativeBitmap(int resource) {
    // A DIB section keeps the file's 32 bits per pixel; a device-dependent
    // bitmap would drop the alpha channel.
    UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION section{};
    if (!bitmap || GetObjectW(bitmap.get(), sizeof(section), &section) != sizeof(section)) return bitmap;
    if (section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr) return bitmap;

    GdiFlush();
    auto* pixels = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    const long count = static_cast<long>(section.dsBm.bmWidth) * (section.dsBm.bmHeight < 0 ? -section.dsBm.bmHeight
                                                                                             : section.dsBm.bmHeight);
    for (long at = 0; at < count; ++at) {
        std::uint8_t* pixel = pixels + at * 4;  // blue, green, red, alpha
        const unsigned alpha = pixel[3];
        for (int channel = 0; channel < 3; ++channel) {
            pixel[channel] = static_cast<std::uint8_t>((pixel[channel] * alpha + 127) / 255);
        }
    }
    return bitmap;
}

}  // namespace quillmark
