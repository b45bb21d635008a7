#pragma once

namespace quillmark {

// Task-bar text and the caption of the default error box.
inline const wchar_t kApplicationTitle[] = L"Quillmark";
inline const wchar_t kMainWindowCaption[] = L"Quillmark 1.5";

}  // namespace quillmark
