// quillmark-cli's command line: what each form asks for, and why the others
// are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_arguments.h"

namespace quillmark {
namespace {

using Arguments = std::vector<std::wstring>;

std::wstring Line(const Arguments& arguments) {
    std::wstring line;
    for (const std::wstring& argument : arguments) line += L"[" + argument + L"]";
    return line;
}

struct AcceptedCase {
    Arguments arguments;
    CliCommand command;
    ScopeChoice scope;
    OutputFormat format;
    const wchar_t* name;  // null: not given
    bool whatIf;
};

constexpr auto kUser = ScopeChoice::CurrentUser;
constexpr auto kAll = ScopeChoice::AllUsers;
constexpr auto kBoth = ScopeChoice::Both;
constexpr auto kTable = OutputFormat::Table;
constexpr auto kHelp = CliCommand::Help;

const AcceptedCase kAccepted[] = {
    {{L"list"}, CliCommand::List, kBoth, kTable, nullptr, false},
    {{L"LIST", L"--Scope", L"All", L"--format=JSON"}, CliCommand::List, kAll, OutputFormat::Json, nullptr, false},
    {{L"list", L"--format", L"csv", L"--scope=user"}, CliCommand::List, kUser, OutputFormat::Csv, nullptr, false},
    {{L"remove", L"--name", L"A=B", L"--what-if"}, CliCommand::Remove, kBoth, kTable, L"A=B", true},
    // An option's value may look like an option, and may be empty (the Run key's unnamed value).
    {{L"disable", L"--name", L"--what-if"}, CliCommand::Disable, kBoth, kTable, L"--what-if", false},
    {{L"enable", L"--name="}, CliCommand::Enable, kBoth, kTable, L"", false},
    {{L"undo"}, CliCommand::Undo, kUser, kTable, nullptr, false},
    {{L"add", L"--path", L"a.exe", L"--name", L"a", L"--scope", L"all"}, CliCommand::Add, kAll, kTable, L"a", false},
    {{L"list", L"--scope", L"all", L"/?"}, kHelp, kBoth, kTable, nullptr, false},
    {{L"help"}, kHelp, kBoth, kTable, nullptr, false},
    // Values are never taken for a request for help.
    {{L"add", L"--name", L"help", L"--path", L"-h"}, CliCommand::Add, kUser, kTable, L"help", false},
};

TEST(CliArguments, EachFormIsRead) {
    for (const AcceptedCase& c : kAccepted) {
        SCOPED_TRACE(testing::PrintToString(Line(c.arguments)));
        const ParsedArguments parsed = ParseArguments(c.arguments);
        ASSERT_TRUE(parsed.request) << testing::PrintToString(parsed.usageError);
        const CliRequest& request = *parsed.request;
        EXPECT_EQ(request.command, c.command);
        EXPECT_EQ(request.scope, c.scope);
        EXPECT_EQ(request.format, c.format);
        EXPECT_EQ(request.name.value_or(L"(none)"), c.name != nullptr ? c.name : L"(none)");
        EXPECT_EQ(request.whatIf, c.whatIf);
    }
}

struct RefusedCase {
    Arguments arguments;
    const wchar_t* refusal;  // a part of the usage error
};

const RefusedCase kRefused[] = {
    {{}, L"no command"},
    {{L"delete"}, L"unknown command 'delete'"},
    {{L"list", L"--colour"}, L"unknown option '--colour'"},
    {{L"list", L"all"}, L"unexpected argument 'all'"},
    {{L"list", L"--scope", L"machine"}, L"--scope takes user|all|both"},
    {{L"list", L"--format"}, L"--format needs a value"},
    {{L"list", L"--what-if"}, L"--what-if does not apply to list"},
    {{L"remove", L"--name", L"a", L"--name", L"b"}, L"given twice"},
    {{L"remove", L"--what-if=yes", L"--name", L"a"}, L"takes no value"},
    {{L"remove"}, L"remove needs --name NAME"},
    {{L"add"}, L"add needs --name NAME and --path PATH"},
    {{L"undo", L"--scope", L"both"}, L"undo acts on one scope"},
};

TEST(CliArguments, EachFaultIsNamed) {
    for (const RefusedCase& c : kRefused) {
        SCOPED_TRACE(testing::PrintToString(Line(c.arguments)));
        const ParsedArguments parsed = ParseArguments(c.arguments);
        EXPECT_FALSE(parsed.request);
        EXPECT_NE(parsed.usageError.find(c.refusal), std::wstring::npos) << testing::PrintToString(parsed.usageError);
    }
}

}  // namespace
}  // namespace quillmark
