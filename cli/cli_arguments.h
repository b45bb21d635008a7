#pragma once
#include <optional>
#include <span>
#include <string>

namespace quillmark {

enum class CliCommand { Help, List, Disable, Enable, Remove, Undo, Add };
enum class ScopeChoice { CurrentUser, AllUsers, Both };
enum class OutputFormat { Table, Csv, Json };

// What one run of quillmark-cli is asked to do.
struct CliRequest {
    CliCommand command = CliCommand::Help;
    ScopeChoice scope = ScopeChoice::Both;
    OutputFormat format = OutputFormat::Table;
    std::optional<std::wstring> name;
    std::optional<std::wstring> source;
    std::optional<std::wstring> path;
    bool whatIf = false;
    bool replace = false;
};

// The request, or why the command line asks for nothing that can be done.
struct ParsedArguments {
    std::optional<CliRequest> request;
    std::wstring usageError;
};

// Reads the arguments after the program's name: a command, then options as
// "--option value" or "--option=value", names and keywords in any letter
// case. --help (or -h, /?) anywhere asks for the help text.
ParsedArguments ParseArguments(std::span<const std::wstring> arguments);

// The help text: every command with its options, and the exit codes.
std::wstring HelpText();

}  // namespace quillmark
