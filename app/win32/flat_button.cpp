#include "app/win32/flat_button.h"

#include <commctrl.h>

#include "app/caption_text.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/panel_widget.h"
#include "app/win32/theme_colours.h"

namespace quillmark {

namespace {

constexpr UINT_PTR kFlatButtonSubclass = 3;

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

FlatButton::~FlatButton() {
    if (hwnd_ != nullptr) RemoveWindowSubclass(hwnd_, &SubclassProc, kFlatButtonSubclass);
}

HWND FlatButton::Create(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font,
                        bool visible) {
    caption_ = caption;
    font_ = font;
    const DWORD style = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW | (visible ? WS_VISIBLE : 0);
    hwnd_ = CreateWindowExW(0, WC_BUTTONW, caption.c_str(), style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ != nullptr) SetWindowSubclass(hwnd_, &SubclassProc, kFlatButtonSubclass, reinterpret_cast<DWORD_PTR>(this));
    return hwnd_;
}

wchar_t FlatButton::AccessKey() const noexcept {
    const wchar_t key = AccessKeyOf(caption_);
    return key == 0 ? 0 : UpperKey(key);
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
        const bool down = pressed_ && hot_;
        if (down) {
            RoundFrame(memory.get(), face, ThemeColour(ColourRole::ButtonHotFill, kPressedFill),
                       ThemeColour(ColourRole::ButtonHotFrame, kPressedFrame));
        } else if (hot_ || pressed_) {
            RoundFrame(memory.get(), face, ThemeColour(ColourRole::ButtonHotFill, kHotFill),
                       ThemeColour(ColourRole::ButtonHotFrame, kHotFrame));
        }

        SelectedObject selectedFont(memory.get(), font_);
        SetBkMode(memory.get(), TRANSPARENT);
        COLORREF text = ThemeColour(hot_ || pressed_ ? ColourRole::ButtonHotText : ColourRole::ButtonText, kText);
        if (!IsWindowEnabled(Handle())) text = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(memory.get(), text);
        RECT textBounds = client;
        if (down) OffsetRect(&textBounds, 1, 1);
        DrawTextW(memory.get(), caption_.c_str(), -1, &textBounds, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        PaintFocus(memory.get(), face);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(Handle(), &paint);
}

// As Windows draws it on a push button: only while the button has the focus
// and the window shows keyboard cues (UISF_HIDEFOCUS clear once a key was used).
void FlatButton::PaintFocus(HDC dc, const RECT& face) const {
    if (GetFocus() != Handle()) return;
    const LRESULT cues = SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_QUERYUISTATE, 0, 0);
    if ((cues & UISF_HIDEFOCUS) != 0) return;
    RECT focus = face;
    InflateRect(&focus, -2, -2);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
}

LRESULT CALLBACK FlatButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &SubclassProc, kFlatButtonSubclass);
        reinterpret_cast<FlatButton*>(self)->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return reinterpret_cast<FlatButton*>(self)->HandleMessage(message, wParam, lParam);
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
    case BM_CLICK:
        Click();
        return 0;
    case WM_KEYDOWN:
        // Space presses and its release clicks, as on a push button; Enter clicks at once.
        if (wParam == VK_RETURN) {
            Click();
        } else if (wParam == VK_SPACE) {
            if ((lParam & 0x40000000) == 0) {  // not a repeat
                pressed_ = hot_ = true;
                InvalidateRect(Handle(), nullptr, FALSE);
            }
        } else {
            return DefSubclassProc(Handle(), message, wParam, lParam);
        }
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE) return DefSubclassProc(Handle(), message, wParam, lParam);
        if (pressed_) {
            pressed_ = false;
            SetHot(CursorInside());
            InvalidateRect(Handle(), nullptr, FALSE);
            Click();
        }
        return 0;
    case WM_KILLFOCUS:
        if (pressed_ && GetCapture() != Handle()) pressed_ = false;
        [[fallthrough]];
    case WM_SETFOCUS:
    case WM_UPDATEUISTATE:
    case WM_ENABLE: {
        // The system button keeps its own state, but would paint through
        // WM_DRAWITEM; the face is ours.
        const LRESULT result = DefSubclassProc(Handle(), message, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return result;
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_SETTEXT:
        caption_ = lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        InvalidateRect(Handle(), nullptr, FALSE);
        return DefSubclassProc(Handle(), message, wParam, lParam);
    default:
        return DefSubclassProc(Handle(), message, wParam, lParam);
    }
}

}  // namespace quillmark
