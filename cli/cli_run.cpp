#include "cli/cli_run.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "app/data_folder.h"
#include "app/texts.h"
#include "cli/cli_arguments.h"
#include "cli/exit_codes.h"
#include "cli/listed_rows.h"
#include "inventory/no_images.h"
#include "cli/record_formats.h"
#include "inventory/add_shortcut.h"
#include "inventory/approve_entries.h"
#include "inventory/packaged_tasks.h"
#include "inventory/remove_entries.h"
#include "inventory/undo_removal.h"
#include "inventory/windows_start_man.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/registry_accessor.h"
#include "platform/trace.h"
#include "shellpath/path_text.h"

namespace quillmark {

namespace {

// What each changing command does, in the words its output uses.
struct ChangeWords {
    CliCommand command;
    const wchar_t* verb;  // "would <verb>" for --what-if
    const wchar_t* done;
    const wchar_t* failed;
};

constexpr ChangeWords kChanges[] = {
    {CliCommand::Disable, L"disable", L"Disabled", L"Could not switch off"},
    {CliCommand::Enable, L"enable", L"Enabled", L"Could not switch on"},
    {CliCommand::Remove, L"remove", L"Removed", L"Could not remove"},
};

const ChangeWords& WordsOf(CliCommand command) {
    return *std::find_if(std::begin(kChanges), std::end(kChanges),
                         [&](const ChangeWords& w) { return w.command == command; });
}

// "'Name' (user, Run, HKEY_CURRENT_USER\...\Run)"
std::wstring Describe(const ListedRow& row) {
    return L"'" + row.entry.name + L"' (" + ScopeName(row.scope) + L", " + SourceName(row.entry.source) + L", " +
           SourcePlace(row.scope, row.entry) + L")";
}

// Why the command can never change this row, as the window's menu would not
// offer it; nothing when it may be tried.
std::optional<std::wstring> RefusalOf(CliCommand command, const StartupEntry& row) {
    if (row.origin == EntryOrigin::PackagedTask) {
        if (command == CliCommand::Remove) return kReasonPackagedTask;
        return PackagedTaskLocked(row.task);
    }
    if (command != CliCommand::Remove && !HasApprovalMark(row))
        return L"Windows keeps no Disabled mark for " + std::wstring(SourceName(row.source)) +
               L" entries; remove it instead";
    return std::nullopt;
}

// Missing rights are worth a second, elevated try; any other failure is not.
ExitCode FailureCode(const std::vector<RemovalFailure>& failures) {
    const bool denied =
        std::any_of(failures.begin(), failures.end(), [](const RemovalFailure& f) { return f.accessDenied; });
    return denied ? kExitNeedsAdministrator : kExitFailed;
}

class CliRun {
public:
    CliRun(const Platform& platform, CliOutput& output) : platform_(platform), output_(output) {
        // Nobody may be there to answer the shell: a file on a volume without
        // a recycle bin goes for good, its copy kept in the removal record.
        context_.withoutRecycleBin = WithoutRecycleBin::DeleteForGood;
    }

    ExitCode Run(const CliRequest& request) {
        switch (request.command) {
        case CliCommand::Help: Out(HelpText()); return kExitDone;
        case CliCommand::List: return List(request);
        case CliCommand::Disable:
        case CliCommand::Enable:
        case CliCommand::Remove: return Change(request);
        case CliCommand::Undo: return Undo(request);
        case CliCommand::Add: return Add(request);
        }
        return kExitUsage;
    }

private:
    void Out(const std::wstring& text) { output_.Write(CliStream::Out, text); }
    void Err(const std::wstring& text) { output_.Write(CliStream::Error, text); }

    ExitCode List(const CliRequest& request) {
        const std::vector<ListedRow> rows = LoadListedRows(context_, request.scope);
        Out(FormatRecords(request.format, RecordsOf(rows), output_.Width(CliStream::Out)));
        return kExitDone;
    }

    // Exactly one row is changed: none, or several, are listed for the user to choose by.
    ExitCode Change(const CliRequest& request) {
        const std::vector<ListedRow> rows = LoadListedRows(context_, request.scope);
        const std::vector<ListedRow> matching = MatchingRows(platform_.codePage, rows, *request.name, request.source);
        if (matching.size() != 1) {
            const std::vector<ListedRow> candidates =
                matching.empty() ? RowsOfSource(platform_.codePage, rows, request.source) : matching;
            const std::wstring ofSource = request.source ? L" of source '" + *request.source + L"'" : L"";
            Err((matching.empty() ? L"No entry" + ofSource + L" is named '" + *request.name + L"'. The entries" +
                                        ofSource + L" are:\r\n"
                                  : L"More than one entry is named '" + *request.name +
                                        L"'; choose one with --scope or --source:\r\n") +
                TableOfRecords(RecordsOf(candidates), output_.Width(CliStream::Error)));
            return kExitUsage;
        }
        const ListedRow& row = matching.front();
        const ChangeWords& words = WordsOf(request.command);
        if (const auto refusal = RefusalOf(request.command, row.entry)) {
            Err(std::wstring(words.failed) + L" " + Describe(row) + L": " + *refusal + L"\r\n");
            return kExitFailed;
        }
        const bool disabled = row.entry.approval.disabled;
        if ((request.command == CliCommand::Disable && disabled) ||
            (request.command == CliCommand::Enable && !disabled)) {
            Out(Describe(row) + L" is " + (disabled ? L"disabled" : L"enabled") + L" already; nothing changed.\r\n");
            return kExitDone;
        }
        if (request.whatIf) {
            Out(L"What if: would " + std::wstring(words.verb) + L" " + Describe(row) + L".\r\n");
            return kExitDone;
        }
        const std::span<const StartupEntry> entry(&row.entry, 1);
        std::vector<RemovalFailure> failures;
        if (request.command == CliCommand::Remove) {
            // The record of what goes is written first, where the window
            // keeps it; without it nothing goes.
            RemovalOutcome outcome = RemoveEntries(context_, row.scope, entry, RecordsPlaceOf(platform_, row.scope));
            // Removed all the same: said, but no failure of the run.
            for (const RemovalFailure& left : outcome.marksLeft)
                Err(L"Its Disabled mark stayed: " + left.reason + L"\r\n");
            failures = std::move(outcome.failures);
        } else {
            failures =
                (request.command == CliCommand::Disable ? DisableEntries : EnableEntries)(context_, row.scope, entry);
        }
        if (failures.empty()) {
            Out(std::wstring(words.done) + L" " + Describe(row) + L".\r\n");
            // What the window's question says before such a removal.
            if (request.command == CliCommand::Remove && row.entry.source == EntrySource::Policy)
                Out(L"A policy set it: Windows may put it back the next time it applies the policy.\r\n");
            return kExitDone;
        }
        Err(std::wstring(words.failed) + L" " + Describe(row) + L": " + failures.front().reason + L"\r\n");
        return FailureCode(failures);
    }

    ExitCode Undo(const CliRequest& request) {
        const StartupScope scope = ScopesOf(request.scope).front();
        const UndoOutcome outcome = UndoLastRemoval(context_, scope, RecordsPlaceOf(platform_, scope));
        if (!outcome.found) {
            Err(L"There is no removal of scope " + ScopeName(scope) + L" to undo.\r\n");
            return kExitFailed;
        }
        if (!outcome.refusal.empty()) {
            Err(L"The removal record " + outcome.folder + L" was not used: " + outcome.refusal + L"\r\n");
            return kExitFailed;
        }
        for (const RestoredEntry& entry : outcome.restored) {
            Out(entry.origin == EntryOrigin::RunValue ? L"Put back '" + entry.name + L"' (" + entry.keyPath + L").\r\n"
                                                      : L"Put back '" + entry.location + L"'.\r\n");
        }
        if (outcome.failures.empty()) return kExitDone;
        for (const RemovalFailure& failure : outcome.failures)
            Err(L"Could not put back '" + failure.name + L"': " + failure.reason + L"\r\n");
        return FailureCode(outcome.failures);
    }

    // The add panel's refusals, in its order; an existing shortcut is kept
    // unless --replace says otherwise, as nobody can be asked.
    ExitCode Add(const CliRequest& request) {
        if (Trim(*request.path).empty()) return Refuse(texts::kPathMissing);
        if (Trim(*request.name).empty()) return Refuse(texts::kNameMissing);
        const StartupScope scope = ScopesOf(request.scope).front();
        std::wstring existing;
        const ConfirmReplace replace = [&](const std::wstring& file) {
            existing = file;
            return request.replace;
        };
        AddStartupShortcut(context_, scope, *request.name, *request.path, false, replace);
        if (!existing.empty() && !request.replace) {
            Err(L"A startup entry named '" + existing +
                L"' already exists; nothing was written. --replace replaces it.\r\n");
            return kExitFailed;
        }
        const std::wstring folder =
            scope == StartupScope::AllUsers ? startMan_.CommonStartupFolder() : startMan_.UserStartupFolder();
        Out(L"Added '" + CleanEntryName(Trim(*request.name)) + L".lnk' to " + folder + L".\r\n");
        return kExitDone;
    }

    ExitCode Refuse(const wchar_t* why) {
        Err(std::wstring(why) + L"\r\n");
        return kExitUsage;
    }

    const Platform& platform_;
    CliOutput& output_;
    NoImages images_;
    RegistryAccessor registry_{platform_.registry};
    TWindowsStartMan startMan_{platform_};
    InventoryContext context_{platform_, registry_, startMan_, images_};
};

}  // namespace

int RunCli(std::span<const std::wstring> arguments, const Platform& platform, CliOutput& output) noexcept {
    try {
        const ParsedArguments parsed = ParseArguments(arguments);
        if (!parsed.request) {
            output.Write(CliStream::Error,
                         L"quillmark-cli: " + parsed.usageError + L"\r\nquillmark-cli --help lists the commands.\r\n");
            return kExitUsage;
        }
        return CliRun(platform, output).Run(*parsed.request);
    } catch (const Error& error) {
        // Windows refused it for want of rights: an elevated run may do it.
        try {
            output.Write(CliStream::Error, error.message() + L"\r\n");
        } catch (...) {
            TraceCaughtFailure();
        }
        return error.accessDenied() ? kExitNeedsAdministrator : kExitFailed;
    } catch (...) {
        try {
            output.Write(CliStream::Error, L"quillmark-cli: " + FailureText(std::current_exception()) + L"\r\n");
        } catch (...) {
            TraceCaughtFailure();
        }
        return kExitFailed;
    }
}

}  // namespace quillmark
