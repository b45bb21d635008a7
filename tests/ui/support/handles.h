#pragma once
// Handle owners for the UI test harness: the started program's process and
// thread, and files the seed writes. The screenshot code's GDI objects use
// the program's own owners (app/win32/gdi_handles.h).
#include <windows.h>

#include "platform/unique_resource.h"

namespace quillmark::uitest {

struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueResource<KernelHandleTraits>;

// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueFileHandle = UniqueResource<FileHandleTraits>;

}  // namespace quillmark::uitest
