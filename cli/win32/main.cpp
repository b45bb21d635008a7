// quillmark-cli: the window's startup inventory for scripts, remote shells
// and fleet tools. The same inventory, shell and platform code as
// Quillmark.exe, none of its window.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/exit_codes.h"
#include "cli/win32/console_output.h"
#include "platform/win32/handles.h"
#include "platform/win32/trace_log.h"
#include "platform/win32/win32_platform.h"

int wmain(int argc, wchar_t** argv) {
    using namespace quillmark;
    // Before anything can load a DLL: DLLs from System32 only. The exe lies
    // wherever an administrator copied it (a share, a tools folder), and a
    // DLL planted beside it would otherwise run with the caller's rights.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A program on a drive without media must not raise Windows' "no disk"
    // box; nobody may be there to close it.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
    // The shell link object is used from this thread only.
    const UniqueComApartment apartment(SUCCEEDED(CoInitialize(nullptr)));
    // Failures nobody is told of go to the debugger only: the window's log
    // in the data folder is the window's, and a script's run leaves no file.
    StartTraceLog(std::wstring());

    Win32Platform win32;
    const Platform platform = win32.View();
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    ConsoleOutput output;
    // The window's records places: undo in either program finds what the other removed.
    const int code = RunCli(arguments, platform, output);
    // Records that never reached their reader are a failure of the run.
    return code == kExitDone && !output.AllWritten() ? kExitFailed : code;
}
