#pragma once
// Settings of the Wine prefix that make runs of the real program faithful and
// quiet. Each takes effect for processes started afterwards, and each does
// nothing on Windows or when the prefix already has a value of its own.

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

}  // namespace quillmark::uitest
