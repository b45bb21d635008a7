#include "app/win32/panel_widget.h"

#include "app/win32/theme_colours.h"

namespace quillmark {

namespace {

constexpr wchar_t kPanelClass[] = L"QuillmarkPanel";

}  // namespace

HWND PanelWidget::Create(HWND parent, int id, const RECT& bounds, const Look& look, bool visible) {
    look_ = look;
    brush_.reset(CreateSolidBrush(look.background));
    // No class brush: the panel paints itself, so erasing would only flicker.
    RegisterWindowClass(kPanelClass, 0, nullptr, nullptr, nullptr);
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    // The controls inside take part in the Tab order of the window.
    return CreateWindowObject(WS_EX_CONTROLPARENT, kPanelClass, L"", style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void PanelWidget::SetBackground(COLORREF background) {
    look_.background = background;
    brush_.reset(CreateSolidBrush(background));
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void PanelWidget::AddImage(UniqueBitmap bitmap, const RECT& bounds) {
    images_.push_back(Image{std::move(bitmap), bounds});
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void PanelWidget::PaintBackground(HDC dc, const RECT& area) const {
    const RECT local{0, 0, area.right - area.left, area.bottom - area.top};
    FillRect(dc, &local, brush_.get());
    if (look_.raisedBevel || look_.border) {
        RECT client;
        GetClientRect(Handle(), &client);
        OffsetRect(&client, -area.left, -area.top);
        if (look_.border) {
            FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            InflateRect(&client, -1, -1);
        }
        if (look_.raisedBevel) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    }
    // The pictures are light strips behind the buttons: under a dark
    // high-contrast theme the buttons' text would vanish into them.
    if (HighContrastOn()) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    for (const Image& image : images_) {
        BITMAP info{};
        if (GetObjectW(image.bitmap.get(), sizeof(info), &info) == 0) continue;
        RECT overlap;
        if (!IntersectRect(&overlap, &image.bounds, &area)) continue;
        SelectedObject selected(source.get(), image.bitmap.get());
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        // The images are drawn stretched to their layout rectangle, so a
        // screen above 96 DPI gets the same picture at its size. gdi32's own
        // entry point, so msimg32 (no KnownDLL) need not be loaded at all.
        GdiAlphaBlend(dc, image.bounds.left - area.left, image.bounds.top - area.top,
                      image.bounds.right - image.bounds.left, image.bounds.bottom - image.bounds.top, source.get(), 0,
                      0, info.bmWidth, info.bmHeight, blend);
    }
}

void PanelWidget::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    if (doubleBuffered_) {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        UniqueBitmap buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory && buffer) {
            SelectedObject selected(memory.get(), buffer.get());
            PaintBackground(memory.get(), client);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
    } else {
        PaintBackground(dc, client);
    }
    EndPaint(Handle(), &paint);
}

LRESULT PanelWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case kMsgPaintParentBackground:
        PaintBackground(reinterpret_cast<HDC>(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 1;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        // The window's handlers live with the top-level window.
        return SendMessageW(GetAncestor(Handle(), GA_ROOT), message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace quillmark
