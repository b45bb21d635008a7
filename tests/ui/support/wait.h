#pragma once
// Polling with a deadline: the program under test runs in its own process and
// its timer fires on its own schedule.
#include <windows.h>

namespace quillmark::uitest {

template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs, DWORD intervalMs = 10) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(intervalMs);
    }
}

}  // namespace quillmark::uitest
