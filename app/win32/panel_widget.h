#pragma once
#include <windows.h>

#include <vector>

#include "app/win32/base_window.h"
#include "app/win32/gdi_handles.h"

namespace quillmark {

// Sent by a child to its panel: paint the panel's background (colour and
// decorative images) into the child's DC. wParam: the HDC; lParam: the
// child's RECT in panel coordinates. Lets flat buttons look transparent.
inline constexpr UINT kMsgPaintParentBackground = WM_APP + 1;

// A panel, a tab page or a scroll box: a plain background, an optional
// raised bevel with a border, and decorative bitmaps drawn behind its
// controls unless a high-contrast theme is on. Notifications from its controls go on to the top-level window.
class PanelWidget final : public BaseWindow {
public:
    struct Look {
        COLORREF background = RGB(255, 255, 255);
        bool raisedBevel = false;
        bool border = false;
    };

    HWND Create(HWND parent, int id, const RECT& bounds, const Look& look, bool visible);
    // A 32-bit bitmap with premultiplied alpha, drawn at `bounds` (panel
    // coordinates). The panel keeps it.
    void AddImage(UniqueBitmap bitmap, const RECT& bounds);
    // Drops every image (they are added again at another scale).
    void ClearImages() noexcept { images_.clear(); }
    void SetDoubleBuffered(bool on) noexcept { doubleBuffered_ = on; }
    // A new background colour (the theme changed); repaints.
    void SetBackground(COLORREF background);
    HBRUSH BackgroundBrush() const noexcept { return brush_.get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Image {
        UniqueBitmap bitmap;
        RECT bounds;
    };
    // Paints the area `area` (panel coordinates) into `dc`, whose origin lies at area's top-left.
    void PaintBackground(HDC dc, const RECT& area) const;
    void Paint();

    Look look_;
    UniqueBrush brush_;
    std::vector<Image> images_;
    bool doubleBuffered_ = false;
};

}  // namespace quillmark
