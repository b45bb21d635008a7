#include "tests/ui/support/remote_window.h"

#include <stdexcept>
#include <string>

namespace quillmark::uitest {

LRESULT SendRemote(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) {
        throw std::runtime_error("window did not answer message " + std::to_string(message) + ", error " +
                                 std::to_string(GetLastError()));
    }
    return static_cast<LRESULT>(result);
}

HANDLE OpenWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (process == nullptr) throw std::runtime_error("OpenProcess failed, error " + std::to_string(GetLastError()));
    BOOL ownWow64 = FALSE;
    BOOL targetWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &ownWow64);
    IsWow64Process(process, &targetWow64);
    if (ownWow64 != targetWow64) {
        CloseHandle(process);
        throw std::runtime_error("the harness and the program differ in pointer size");
    }
    return process;
}

}  // namespace quillmark::uitest
