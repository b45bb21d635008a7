#pragma once

namespace quillmark {

// True when this is a 32-bit process on 64-bit Windows. IsWow64Process is
// looked up by name in kernel32.dll on the first call (older systems lack
// it, which counts as "no"); the answer is kept for the life of the process.
bool RunningUnderWow64() noexcept;

}  // namespace quillmark
