#pragma once
// Settings of the Wine prefix that make runs of the real program faithful and
// quiet. Each takes effect for processes started afterwards, and each does
// nothing on Windows or when the prefix already has a value of its own.

#include <string>
#include <vector>

namespace quillmark::uitest {

// A font name the prefix does not have falls back to Wine's sans default, so
// the window's Times New Roman would render as a wide sans font and the
// screenshots would not show the real layout. Liberation Serif has the same
// metrics; HKCU\Software\Wine\Fonts\Replacements makes Wine use it.
void UseMetricCompatibleFontsUnderWine();

// The program opens web pages (the first close opens one); Wine hands them to
// the Linux desktop's browser. Naming `true` as the only browser lets the
// shell's open succeed without starting anything on the test machine.
void KeepWebPagesClosedUnderWine();

// Instead of a browser, Wine's bridge runs a shell command that appends each
// address it is given to a file of the prefix, so tests can check which
// pages were opened. Replaces the prefix's browser setting: use it in test
// prefixes only. False on Windows or when the file cannot be named to Wine.
bool RecordWebPagesUnderWine();
// The addresses recorded so far, oldest first.
std::vector<std::wstring> RecordedWebPages();

}  // namespace quillmark::uitest
