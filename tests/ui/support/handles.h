#pragma once
// Handle owners for the UI test harness: the started program's process and
// thread, and files the seed writes, are owned as the program owns its own
// (platform/win32/handles.h). The screenshot code's GDI objects use the
// program's own owners too (app/win32/gdi_handles.h).
#include "platform/win32/handles.h"

namespace quillmark::uitest {

using quillmark::UniqueFileHandle;
using quillmark::UniqueKernelHandle;

}  // namespace quillmark::uitest
