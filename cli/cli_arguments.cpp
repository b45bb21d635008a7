#include "cli/cli_arguments.h"

#include <algorithm>

#include "cli/exit_codes.h"

namespace quillmark {

namespace {

enum OptionBit : unsigned {
    kScope = 1,
    kFormat = 2,
    kName = 4,
    kSource = 8,
    kPath = 16,
    kWhatIf = 32,
    kReplace = 64,
};

struct OptionRow {
    const wchar_t* name;
    OptionBit bit;
    const wchar_t* value;  // how help names its value; null for a switch
    const wchar_t* summary;
};

constexpr OptionRow kOptions[] = {
    {L"--scope", kScope, L"user|all|both", L"user: your own entries; all: the machine's, for all users; both: the two"},
    {L"--format", kFormat, L"table|csv|json",
     L"table for people, cut to the console's width; csv with a header row; json as one array"},
    {L"--name", kName, L"NAME", L"the entry's name, exactly, in any letter case"},
    {L"--source", kSource, L"SOURCE",
     L"only entries of this source: Run, \"Startup folder\", \"Run once\", Policy or App"},
    {L"--path", kPath, L"PATH", L"the program, document or folder the new shortcut starts"},
    {L"--what-if", kWhatIf, nullptr, L"says what would change and changes nothing"},
    {L"--replace", kReplace, nullptr, L"replaces a Startup shortcut of the same name"},
};

struct CommandRow {
    const wchar_t* name;
    CliCommand command;
    unsigned allowed;
    unsigned required;
    ScopeChoice defaultScope;
    bool oneScope;  // acts on one scope: "both" is refused
    const wchar_t* summary;
};

constexpr unsigned kMatch = kScope | kName | kSource | kWhatIf;

constexpr CommandRow kCommands[] = {
    {L"list", CliCommand::List, kScope | kFormat, 0, ScopeChoice::Both, false,
     L"lists every startup entry (default: --scope both --format table)"},
    {L"disable", CliCommand::Disable, kMatch, kName, ScopeChoice::Both, false,
     L"switches the one matching entry off, as Task Manager does"},
    {L"enable", CliCommand::Enable, kMatch, kName, ScopeChoice::Both, false,
     L"switches the one matching entry on again"},
    {L"remove", CliCommand::Remove, kMatch, kName, ScopeChoice::Both, false,
     L"removes the one matching entry, keeping a record that undo puts back"},
    {L"undo", CliCommand::Undo, kScope, 0, ScopeChoice::CurrentUser, true,
     L"puts back the newest removal of the scope (default: --scope user)"},
    {L"add", CliCommand::Add, kScope | kName | kPath | kReplace, kName | kPath, ScopeChoice::CurrentUser, true,
     L"writes a shortcut into the scope's Startup folder (default: --scope user)"},
};

struct Keyword {
    const wchar_t* text;
    int value;
};

constexpr Keyword kScopes[] = {{L"user", static_cast<int>(ScopeChoice::CurrentUser)},
                               {L"all", static_cast<int>(ScopeChoice::AllUsers)},
                               {L"both", static_cast<int>(ScopeChoice::Both)}};
constexpr Keyword kFormats[] = {{L"table", static_cast<int>(OutputFormat::Table)},
                                {L"csv", static_cast<int>(OutputFormat::Csv)},
                                {L"json", static_cast<int>(OutputFormat::Json)}};

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameWord(const std::wstring& text, const wchar_t* word) {
    const std::wstring other(word);
    return text.size() == other.size() && std::equal(text.begin(), text.end(), other.begin(), [](wchar_t a, wchar_t b) {
               return AsciiLower(a) == AsciiLower(b);
           });
}

// Where an option may stand; "help" also as the command.
bool IsHelp(const std::wstring& argument) {
    return SameWord(argument, L"--help") || SameWord(argument, L"-h") || argument == L"/?";
}

template <typename Table>
auto FindByName(const Table& table, const std::wstring& name) -> decltype(&table[0]) {
    for (const auto& entry : table) {
        if (SameWord(name, entry.name)) return &entry;
    }
    return nullptr;
}

template <std::size_t N>
std::optional<int> KeywordValue(const Keyword (&keywords)[N], const std::wstring& text) {
    for (const Keyword& keyword : keywords) {
        if (SameWord(text, keyword.text)) return keyword.value;
    }
    return std::nullopt;
}

ParsedArguments Refuse(std::wstring why) { return ParsedArguments{std::nullopt, std::move(why)}; }

// Stores one option's value into the request; the reason when it is not one the option takes.
std::optional<std::wstring> Apply(const OptionRow& option, const std::wstring& value, CliRequest& request) {
    switch (option.bit) {
    case kScope:
        if (const auto scope = KeywordValue(kScopes, value)) {
            request.scope = static_cast<ScopeChoice>(*scope);
            return std::nullopt;
        }
        break;
    case kFormat:
        if (const auto format = KeywordValue(kFormats, value)) {
            request.format = static_cast<OutputFormat>(*format);
            return std::nullopt;
        }
        break;
    case kName: request.name = value; return std::nullopt;
    case kSource: request.source = value; return std::nullopt;
    case kPath: request.path = value; return std::nullopt;
    case kWhatIf: request.whatIf = true; return std::nullopt;
    case kReplace: request.replace = true; return std::nullopt;
    }
    return std::wstring(option.name) + L" takes " + option.value + L", not '" + value + L"'";
}

// The options a command needs but was not given, named as help names them.
std::wstring MissingOptions(const CommandRow& command, unsigned given) {
    std::wstring missing;
    for (const OptionRow& option : kOptions) {
        if ((command.required & option.bit) == 0 || (given & option.bit) != 0) continue;
        missing += (missing.empty() ? L"" : L" and ") + std::wstring(option.name) + L" " + option.value;
    }
    return missing;
}

// The options the command needs first, then the ones it may take, in brackets.
std::wstring Synopsis(const CommandRow& command) {
    std::wstring text = L"  quillmark-cli " + std::wstring(command.name);
    for (const bool required : {true, false}) {
        for (const OptionRow& option : kOptions) {
            if ((command.allowed & option.bit) == 0 || ((command.required & option.bit) != 0) != required) continue;
            std::wstring usage = option.name;
            if (option.value != nullptr)
                usage += L" " + std::wstring(option.bit == kScope && command.oneScope ? L"user|all" : option.value);
            text += required ? L" " + usage : L" [" + usage + L"]";
        }
    }
    return text + L"\r\n";
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::wstring> arguments) {
    const ParsedArguments help{CliRequest{}, {}};
    if (arguments.empty()) return Refuse(L"no command given");
    if (IsHelp(arguments[0]) || SameWord(arguments[0], L"help")) return help;
    const CommandRow* command = FindByName(kCommands, arguments[0]);
    if (command == nullptr) return Refuse(L"unknown command '" + arguments[0] + L"'");

    CliRequest request;
    request.command = command->command;
    request.scope = command->defaultScope;
    unsigned given = 0;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (IsHelp(argument)) return help;
        if (!argument.starts_with(L"--")) return Refuse(L"unexpected argument '" + argument + L"'");
        const auto equals = argument.find(L'=');
        const OptionRow* option = FindByName(kOptions, argument.substr(0, equals));
        if (option == nullptr) return Refuse(L"unknown option '" + argument.substr(0, equals) + L"'");
        if ((command->allowed & option->bit) == 0)
            return Refuse(std::wstring(option->name) + L" does not apply to " + command->name);
        if ((given & option->bit) != 0) return Refuse(std::wstring(option->name) + L" is given twice");
        given |= option->bit;
        std::wstring value;
        if (option->value == nullptr) {
            if (equals != std::wstring::npos) return Refuse(std::wstring(option->name) + L" takes no value");
        } else if (equals != std::wstring::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Refuse(std::wstring(option->name) + L" needs a value: " + option->value);
        }
        if (auto why = Apply(*option, value, request)) return Refuse(std::move(*why));
    }
    if (const std::wstring missing = MissingOptions(*command, given); !missing.empty())
        return Refuse(std::wstring(command->name) + L" needs " + missing);
    if (command->oneScope && request.scope == ScopeChoice::Both)
        return Refuse(std::wstring(command->name) + L" acts on one scope: --scope user or --scope all");
    return ParsedArguments{request, {}};
}

std::wstring HelpText() {
    std::wstring text = L"quillmark-cli lists and changes the programs Windows starts at logon.\r\n\r\nUsage:\r\n";
    for (const CommandRow& command : kCommands) text += Synopsis(command);
    text += L"\r\nCommands:\r\n";
    for (const CommandRow& command : kCommands) {
        text += L"  " + std::wstring(command.name) + std::wstring(9 - std::wstring(command.name).size(), L' ') +
                command.summary + L"\r\n";
    }
    text += L"\r\nOptions:\r\n";
    for (const OptionRow& option : kOptions) {
        const std::wstring name = option.name;
        text += L"  " + name + std::wstring(12 - name.size(), L' ') + option.summary + L"\r\n";
    }
    text += L"\r\nExit codes:\r\n";
    for (const ExitCodeMeaning& exit : kExitCodeMeanings) {
        text += L"  " + std::to_wstring(exit.code) + L"  " + exit.meaning + L"\r\n";
    }
    text += L"\r\nIt never asks a question and never asks for administrator rights itself.\r\n";
    return text;
}

}  // namespace quillmark
