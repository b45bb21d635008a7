#pragma once
#include <windows.h>

namespace quillmark {

// Loads a DLL from the system folder only, never from the exe's folder or
// the current directory, where a file of the same name may have been planted
// next to a portable program. Null when it cannot be loaded. The library
// stays loaded for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept;

}  // namespace quillmark
