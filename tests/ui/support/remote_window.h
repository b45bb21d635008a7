#pragma once
// Messages to a window of another process, with a time limit so that a hung
// program fails the caller instead of hanging it.
#include <windows.h>

namespace quillmark::uitest {

inline constexpr UINT kMessageTimeoutMs = 10000;

// SendMessageTimeoutW that throws when the window does not answer in time.
LRESULT SendRemote(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Opens the process that owns `window` for reading and writing its memory.
// The structures the harness places there (LVITEMW, RECT) have this build's
// layout, so the harness and the program must share the pointer size; a
// mismatch is reported instead of reading garbage.
HANDLE OpenWindowProcess(HWND window);

}  // namespace quillmark::uitest
