// quillmark-cli's command line: what each form asks for, and why the others
// are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_arguments.h"

namespace quillmark {
namespace {

struct ArgumentsCase {
    std::vector<std::wstring> arguments;
    // Expected request; ignored when `refusal` is set.
    CliCommand command;
    ScopeChoice scope;
    OutputFormat format;
    const wchar_t* name;  // null: not given
    bool whatIf;
    // A part of the usage error, or null when the line is accepted.
    const wchar_t* refusal;
};

constexpr auto kUser = ScopeChoice::CurrentUser;
constexpr auto kAll = ScopeChoice::AllUsers;
constexpr auto kBoth = ScopeChoice::Both;
constexpr auto kTable = OutputFormat::Table;

const ArgumentsCase kArgumentsCases[] = {
    {{L"list"}, CliCommand::List, kBoth, kTable, nullptr, false, nullptr},
    {{L"LIST", L"--Scope", L"All", L"--format=JSON"}, CliCommand::List, kAll, OutputFormat::Json, nullptr, false, nullptr},
    {{L"list", L"--format", L"csv", L"--scope=user"}, CliCommand::List, kUser, OutputFormat::Csv, nullptr, false, nullptr},
    {{L"remove", L"--name", L"A=B", L"--what-if"}, CliCommand::Remove, kBoth, kTable, L"A=B", true, nullptr},
    // An option's value may look like an option, and may be empty (the Run key's unnamed value).
    {{L"disable", L"--name", L"--what-if"}, CliCommand::Disable, kBoth, kTable, L"--what-if", false, nullptr},
    {{L"enable", L"--name="}, CliCommand::Enable, kBoth, kTable, L"", false, nullptr},
    {{L"undo"}, CliCommand::Undo, kUser, kTable, nullptr, false, nullptr},
    {{L"add", L"--path", L"C:\\a.exe", L"--name", L"a", L"--scope", L"all"}, CliCommand::Add, kAll, kTable, L"a", false,
     nullptr},
    {{L"list", L"--scope", L"all", L"/?"}, CliCommand::Help, kBoth, kTable, nullptr, false, nullptr},
    {{L"help"}, CliCommand::Help, kBoth, kTable, nullptr, false, nullptr},
    // Values are never taken for a request for help.
    {{L"add", L"--name", L"help", L"--path", L"-h"}, CliCommand::Add, kUser, kTable, L"help", false, nullptr},

    {{}, CliCommand::Help, kBoth, kTable, nullptr, false, L"no command"},
    {{L"delete"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"unknown command 'delete'"},
    {{L"list", L"--colour"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"unknown option '--colour'"},
    {{L"list", L"all"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"unexpected argument 'all'"},
    {{L"list", L"--scope", L"machine"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"--scope takes user|all|both"},
    {{L"list", L"--format"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"--format needs a value"},
    {{L"list", L"--what-if"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"--what-if does not apply to list"},
    {{L"remove", L"--name", L"a", L"--name", L"b"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"given twice"},
    {{L"remove", L"--what-if=yes", L"--name", L"a"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"takes no value"},
    {{L"remove"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"remove needs --name NAME"},
    {{L"add"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"add needs --name NAME and --path PATH"},
    {{L"undo", L"--scope", L"both"}, CliCommand::Help, kBoth, kTable, nullptr, false, L"undo acts on one scope"},
};

TEST(CliArguments, EachFormIsReadOrRefused) {
    for (const ArgumentsCase& c : kArgumentsCases) {
        std::wstring line;
        for (const std::wstring& argument : c.arguments) line += L"[" + argument + L"]";
        SCOPED_TRACE(testing::PrintToString(line));
        const ParsedArguments parsed = ParseArguments(c.arguments);
        if (c.refusal != nullptr) {
            EXPECT_FALSE(parsed.request);
            EXPECT_NE(parsed.usageError.find(c.refusal), std::wstring::npos) << testing::PrintToString(parsed.usageError);
            continue;
        }
        ASSERT_TRUE(parsed.request) << testing::PrintToString(parsed.usageError);
        const CliRequest& request = *parsed.request;
        EXPECT_EQ(request.command, c.command);
        EXPECT_EQ(request.scope, c.scope);
        EXPECT_EQ(request.format, c.format);
        EXPECT_EQ(request.name.has_value(), c.name != nullptr);
        if (c.name != nullptr && request.name) {
            EXPECT_EQ(*request.name, c.name);
        }
        EXPECT_EQ(request.whatIf, c.whatIf);
    }
}

}  // namespace
}  // namespace quillmark
