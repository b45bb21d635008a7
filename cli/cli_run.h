#pragma once
#include <span>
#include <string>

namespace quillmark {

struct Platform;

enum class CliStream { Out, Error };

// Where quillmark-cli's text goes: the records and what was done to
// standard output, refusals and failures to standard error.
class CliOutput {
public:
    virtual ~CliOutput() = default;
    virtual void Write(CliStream stream, const std::wstring& text) = 0;
    // How many columns a line may take there; 0 when there is no limit (a file or a pipe).
    virtual int Width(CliStream stream) const = 0;
};

// Carries out one command line (the arguments after the program's name) on
// the platform, with the removal records where the window keeps them
// (RecordsPlaceOf), and returns the exit code (cli/exit_codes.h). Asks no
// question: the shell is not allowed one either. Never throws.
int RunCli(std::span<const std::wstring> arguments, const Platform& platform, CliOutput& output) noexcept;

}  // namespace quillmark
