#pragma once
// Real keyboard and mouse input, as a user gives it: it goes to the
// foreground window and the control under the pointer or with the focus, so
// the program sees the same messages (clicks, key downs, focus changes).
#include <windows.h>

#include <string>

namespace quillmark::uitest {

// Brings the program's window to the front so that input reaches it.
void BringToFront(HWND window);
// Clicks (or double-clicks) the point given in `window`'s client coordinates,
// with Ctrl held when `withCtrl` is set.
void ClickAt(HWND window, POINT clientPoint, bool doubleClick = false, bool withCtrl = false);
void ClickCentre(HWND window);
// Presses and releases one key.
void PressKey(WORD virtualKey);
// Types the text character by character, whatever the keyboard layout.
void TypeText(const std::wstring& text);

}  // namespace quillmark::uitest
