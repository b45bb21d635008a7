#pragma once
#include "quillmark_version.h"

namespace quillmark {

// Task-bar text and the caption of the default error box.
inline const wchar_t kApplicationTitle[] = L"Quillmark";
inline const wchar_t kMainWindowCaption[] = L"Quillmark " QUILLMARK_VERSION_TEXT;
// The About window's version line.
inline constexpr wchar_t kAboutVersionText[] = L"Version: " QUILLMARK_VERSION_TEXT " (Build " QUILLMARK_BUILD_TEXT ")";

}  // namespace quillmark
