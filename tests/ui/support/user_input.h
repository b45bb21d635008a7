#pragma once
// Real keyboard and mouse input, as a user gives it: it goes to the
// foreground window and the control under the pointer or with the focus, so
// the program sees the same messages (clicks, key downs, focus changes).
#include <windows.h>

#include <initializer_list>
#include <string>

namespace quillmark::uitest {

// Brings the program's window to the front so that input reaches it.
void BringToFront(HWND window);
// Clicks (or double-clicks) the point given in `window`'s client coordinates,
// with Ctrl held when `withCtrl` is set.
void ClickAt(HWND window, POINT clientPoint, bool doubleClick = false, bool withCtrl = false);
void ClickCentre(HWND window);
// Right-clicks the point given in `window`'s client coordinates.
void RightClickAt(HWND window, POINT clientPoint);
// Presses and releases one key.
void PressKey(WORD virtualKey);
// Presses the keys in order and releases them in reverse: {VK_SHIFT, VK_TAB} is Shift+Tab.
void PressChord(std::initializer_list<WORD> keys);
// The window with the keyboard focus in `window`'s thread, whatever process owns it.
HWND FocusedWindow(HWND window);
// Types the text character by character, whatever the keyboard layout.
void TypeText(const std::wstring& text);

}  // namespace quillmark::uitest
