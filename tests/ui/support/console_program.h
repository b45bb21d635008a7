#pragma once
// Runs a console program, here quillmark-cli.exe, with its standard output
// and standard error redirected into pipes, as a script's shell runs it.
#include <windows.h>

#include <string>
#include <vector>

namespace quillmark::uitest {

// QUILLMARK_CLI_EXE when set, otherwise cli\quillmark-cli.exe beside the
// folder that holds the running harness (build\tests\x.exe -> build\cli\...).
std::wstring QuillmarkCliExePath();

struct ConsoleRun {
    DWORD exitCode = STILL_ACTIVE;  // STILL_ACTIVE: it did not end in time and was ended
    std::string out;                // the bytes as written
    std::string error;
};

// Quotes each argument as CommandLineToArgvW reads it back.
ConsoleRun RunConsoleProgram(const std::wstring& exePath, const std::vector<std::wstring>& arguments,
                             DWORD timeoutMs = 60000);

// UTF-8 bytes as UTF-16; a byte sequence that is not UTF-8 gives U+FFFD.
std::wstring FromUtf8(const std::string& bytes);

}  // namespace quillmark::uitest
