#pragma once
#include <windows.h>

#include <string>

namespace quillmark {

// The upper-case form of a key, as access keys compare.
wchar_t UpperKey(wchar_t key) noexcept;

// A flat button: its parent's background shows through, a soft frame comes
// up under the mouse. A mouse click leaves the keyboard focus where it was;
// the Tab key stops on it, and Space or Enter press it then, with a focus
// rectangle once the keyboard is in use. A click (or BM_CLICK) sends
// WM_COMMAND with BN_CLICKED to the parent, as a push button does.
//
// It is a system button (BS_OWNERDRAW) that paints and takes the mouse
// itself, so screen readers meet the system's own push button: named by its
// caption, with its access key, unavailable while disabled.
class FlatButton final {
public:
    FlatButton() = default;
    FlatButton(const FlatButton&) = delete;
    FlatButton& operator=(const FlatButton&) = delete;
    ~FlatButton();

    HWND Create(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font, bool visible);
    HWND Handle() const noexcept { return hwnd_; }
    // The access key: the letter after the single "&" of the caption, upper-cased; 0 for none.
    wchar_t AccessKey() const noexcept;
    // Runs the click as the mouse would.
    void Click() noexcept;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintFocus(HDC dc, const RECT& face) const;
    void SetHot(bool hot);
    bool CursorInside() const;

    HWND hwnd_ = nullptr;
    std::wstring caption_;
    HFONT font_ = nullptr;
    bool hot_ = false;
    bool pressed_ = false;
};

}  // namespace quillmark
