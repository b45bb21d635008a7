#pragma once
#include <string>

namespace quillmark {

// Sends traces of caught failures to the debugger (OutputDebugStringW) and,
// when `logFile` is not empty, appends them to that file, which is started
// afresh as "<logFile>.1" once it passes a quarter of a megabyte, so it never
// grows without end. Sets the process's trace sink; call once at start.
void StartTraceLog(std::wstring logFile);

}  // namespace quillmark
