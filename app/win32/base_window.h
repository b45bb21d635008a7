#pragma once
#include <windows.h>

namespace quillmark {

// A window as a C++ object: the static thunk stores `this` at WM_NCCREATE
// (from CreateWindowExW's last argument) and forwards every later message to
// the one member message switch. No exception crosses back into Windows.
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow();

    HWND Handle() const noexcept { return hwnd_; }

protected:
    // Registers the class once per process; the thunk is its window procedure.
    static void RegisterWindowClass(const wchar_t* className, UINT style, HBRUSH background, HICON icon,
                                    HICON smallIcon);
    HWND CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menuOrId);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace quillmark
