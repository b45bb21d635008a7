#pragma once
// Screenshots of a window for a person to look at after the run.
#include <windows.h>

#include <string>

namespace quillmark::uitest {

// Copies the window's client area from the screen into a 24-bit bitmap and writes it as
// <QUILLMARK_SCREENSHOTS>\<name>.bmp; with `alsoShown` (a pop-up menu, say)
// the picture grows to take in that window too. Returns false when the
// variable is not set (screenshots not wanted) and throws when writing fails.
bool SaveWindowScreenshot(HWND window, const std::wstring& name, HWND alsoShown = nullptr);

}  // namespace quillmark::uitest
