#pragma once
#include "app/win32/gdi_handles.h"

namespace quillmark {

// Loads a 32-bit bitmap resource with its alpha channel and premultiplies
// the colours, as AlphaBlend expects. Empty when the resource is missing.
UniqueBitmap LoadDecorativeBitmap(int resource);

}  // namespace quillmark
