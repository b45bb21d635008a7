#pragma once
#include <windows.h>

#include <string>

namespace quillmark {

// The system's text for an error code (a Windows error or an HRESULT), as an
// error box shows it: without the trailing line break, and "System error
// 0x..." when the system has no text for it.
std::wstring SystemMessage(DWORD code);

}  // namespace quillmark
