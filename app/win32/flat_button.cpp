#include "app/win32/flat_button.h"


#include "app/win32/gdi_handles.h"
#include "app/win32/panel_widget.h"

namespace quillmark {

namespace {

constexpr wchar_t kFlatButtonClass[] = L"QuillmarkFlatButton";

// The frame and fill of a button under the mouse and of a pressed one.
constexpr COLORREF kHotFill = RGB(232, 242, 253);
constexpr COLORREF kHotFrame = RGB(126, 170, 214);
constexpr COLORREF kPressedFill = RGB(205, 226, 248);
constexpr COLORREF kPressedFrame = RGB(84, 134, 190);
constexpr COLORREF kText = RGB(24, 44, 72);

void RoundFrame(HDC dc, const RECT& bounds, COLORREF fill, COLORREF frame) {
    UniqueBrush brush(CreateSolidBrush(fill));
    UniqueResource<GdiObjectTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, frame));
    SelectedObject selectedBrush(dc, brush.get());
    SelectedObject selectedPen(dc, pen.get());
    RoundRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom, 6, 6);
}

}  // namespace

wchar_t UpperKey(wchar_t key) noexcept {
    wchar_t buffer[1] = {key};
    CharUpperBuffW(buffer, 1);
    return buffer[0];
}

HWND FlatButton::Create(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font,
                        bool visible) {
    caption_ = caption;
    font_ = font;
    RegisterWindowClass(kFlatButtonClass, 0, nullptr, nullptr, nullptr);
    // No WS_TABSTOP: the Tab key passes flat buttons by, as a click does.
    const DWORD style = WS_CHILD | (visible ? WS_VISIBLE : 0);
    return CreateWindowObject(0, kFlatButtonClass, caption.c_str(), style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

wchar_t FlatButton::AccessKey() const noexcept {
    for (std::size_t at = 0; at + 1 < caption_.size(); ++at) {
        if (caption_[at] != L'&') continue;
        if (caption_[at + 1] == L'&') {  // "&&" is a literal ampersand
            ++at;
            continue;
        }
        return UpperKey(caption_[at + 1]);
    }
    return 0;
}

void FlatButton::Click() noexcept {
    const HWND self = Handle();
    if (self == nullptr || !IsWindowEnabled(self)) return;
    SendMessageW(GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
}

bool FlatButton::CursorInside() const {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    return PtInRect(&bounds, cursor) != FALSE;
}

void FlatButton::SetHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void FlatButton::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    // Drawn off-screen: the parent's background first, then the face.
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && buffer) {
        SelectedObject selectedBitmap(memory.get(), buffer.get());
        RECT inParent = client;
        MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&inParent), 2);
        SendMessageW(GetParent(Handle()), kMsgPaintParentBackground, reinterpret_cast<WPARAM>(memory.get()),
                     reinterpret_cast<LPARAM>(&inParent));

        RECT face = client;
        InflateRect(&face, -1, -1);
        if (pressed_ && hot_) {
            RoundFrame(memory.get(), face, kPressedFill, kPressedFrame);
        } else if (hot_ || pressed_) {
            RoundFrame(memory.get(), face, kHotFill, kHotFrame);
        }

        SelectedObject selectedFont(memory.get(), font_);
        SetBkMode(memory.get(), TRANSPARENT);
        SetTextColor(memory.get(), IsWindowEnabled(Handle()) ? kText : GetSysColor(COLOR_GRAYTEXT));
        RECT text = client;
        if (pressed_ && hot_) OffsetRect(&text, 1, 1);
        DrawTextW(memory.get(), caption_.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(Handle(), &paint);
}

LRESULT FlatButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEMOVE:
        if (!hot_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
        }
        SetHot(pressed_ ? CursorInside() : true);
        return 0;
    case WM_MOUSELEAVE:
        SetHot(false);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // No SetFocus here: that is what makes the button flat to the keyboard.
        pressed_ = true;
        SetCapture(Handle());
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP: {
        const bool click = pressed_ && CursorInside();
        pressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        SetHot(CursorInside());
        InvalidateRect(Handle(), nullptr, FALSE);
        if (click) Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_ = false;
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
    case WM_ENABLE:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case BM_CLICK:
        Click();
        return 0;
    case WM_SETTEXT:
        caption_ = lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        InvalidateRect(Handle(), nullptr, FALSE);
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace quillmark
