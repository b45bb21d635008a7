#pragma once

namespace quillmark::uitest {

// Under Wine, a font name the prefix does not have falls back to Wine's sans
// default, so the window's Times New Roman would render as a wide sans font
// and the screenshots would not show the real layout. Liberation Serif has the
// same metrics; Wine substitutes it for processes started afterwards once
// HKCU\Software\Wine\Fonts\Replacements names it. Does nothing on Windows or
// when a replacement is already set.
void UseMetricCompatibleFontsUnderWine();

}  // namespace quillmark::uitest
