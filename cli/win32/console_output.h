#pragma once
#include <windows.h>

#include <string>

#include "cli/cli_run.h"

namespace quillmark {

// Standard output and standard error as quillmark-cli writes them: UTF-16
// through WriteConsoleW to a console, so every character reaches the screen
// whatever the console's code page; UTF-8 without a byte order mark to a
// file or pipe, so a reader gets every character back exactly.
class ConsoleOutput final : public CliOutput {
public:
    ConsoleOutput();
    void Write(CliStream stream, const std::wstring& text) override;
    int Width(CliStream stream) const override;
    // False once a write failed (a full disk, a pipe closed early).
    bool AllWritten() const noexcept { return allWritten_; }

private:
    struct Target {
        HANDLE handle = nullptr;
        bool console = false;
    };
    const Target& TargetOf(CliStream stream) const noexcept { return stream == CliStream::Out ? out_ : error_; }
    static Target Open(DWORD standardHandle) noexcept;

    Target out_;
    Target error_;
    bool allWritten_ = true;
};

}  // namespace quillmark
