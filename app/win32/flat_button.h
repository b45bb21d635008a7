#pragma once
#include <windows.h>

#include <string>

#include "app/win32/base_window.h"

namespace quillmark {

// The upper-case form of a key, as access keys compare.
wchar_t UpperKey(wchar_t key) noexcept;

// A flat button: its parent's background shows through, a soft frame comes
// up under the mouse. It never takes the keyboard focus, so pressing it
// leaves the focus where it was. A click (or BM_CLICK) sends WM_COMMAND with
// BN_CLICKED to the parent, as a push button does.
class FlatButton final : public BaseWindow {
public:
    HWND Create(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font, bool visible);
    // The access key: the letter after the single "&" of the caption, upper-cased; 0 for none.
    wchar_t AccessKey() const noexcept;
    // Runs the click as the mouse would.
    void Click() noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void SetHot(bool hot);
    bool CursorInside() const;

    std::wstring caption_;
    HFONT font_ = nullptr;
    bool hot_ = false;
    bool pressed_ = false;
};

}  // namespace quillmark
