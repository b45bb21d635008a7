#include "app/row_commands.h"

#include <algorithm>

#include "app/data_folder.h"
#include "app/failure_report.h"
#include "app/guards.h"
#include "app/startup_lists.h"
#include "app/tab_target.h"
#include "app/texts.h"
#include "inventory/approve_entries.h"
#include "inventory/remove_entries.h"
#include "inventory/undo_removal.h"
#include "platform/error.h"
#include "platform/shell.h"
#include "shellpath/resolved_program.h"
#include "shellpath/shell_services.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

namespace {

// Up to and including the last "\" or ":"; empty when there is neither.
std::wstring ContainingFolder(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

void OpenWithShell(const Platform& platform, const std::wstring& file) {
    // What the shell makes of it is not examined; it shows its own errors.
    platform.shell.ExecuteW(ShellOwner::MainWindow, L"Open", file, L"", L"", kSwShow);
}

// The same rows again after a reload: a row is the same entry when it comes
// from the same place by the same name.
bool SameEntry(const StartupEntry& a, const StartupEntry& b) {
    return a.origin == b.origin && a.registryView == b.registryView && a.name == b.name && a.location == b.location;
}

}  // namespace

RowCommands::RowCommands(MainView& view, StartupLists& lists, Platform platform, FailureReport& failures)
    : view_(view), lists_(lists), platform_(platform), failures_(failures) {}

// Hands each selected row's program, in row order, to `step`.
template <typename Step>
void RowCommands::ForEachSelectedProgram(Step step) {
    for (const StartupEntry& row : Selected(TabUse::RowCommand).rows) step(ResolvedProgramPath(platform_, row.location));
}

// A failure ends the command at that row. The program is started from
// where this process reaches it (a 32-bit one through Sysnative for System32).
void RowCommands::OpenSelected() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram(
            [&](const std::wstring& program) { OpenWithShell(platform_, ReachablePath(platform_, program)); });
    });
}

// The folder keeps every character of the path.
void RowCommands::OpenContainingFolder() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram(
            [&](const std::wstring& program) { OpenWithShell(platform_, ContainingFolder(program)); });
    });
}

void RowCommands::ShowProperties() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram([&](const std::wstring& program) { ShowFileProperties(platform_, program); });
    });
}

// What could not be removed is reported after the reload,
// so the list already shows the truth when the box names the entries.
void RowCommands::DeleteSelected() {
    SwallowFailures([&] {
        const auto [target, rows] = Selected(TabUse::Delete);
        const bool anyPolicy = std::any_of(rows.begin(), rows.end(),
                                           [](const StartupEntry& row) { return row.source == EntrySource::Policy; });
        const std::wstring question = std::wstring(texts::kDeleteQuestion) + (anyPolicy ? texts::kPolicyMayPutBack : L"");
        if (view_.ShowMessage(question, texts::kInformation, MessageKind::Information, MessageButtons::OkCancel) !=
            MessageAnswer::Ok) {
            return;
        }
        // Only the all-users side says so; the current user's side reloads.
        if (target.scope == StartupScope::AllUsers && rows.empty()) {
            view_.ShowMessage(texts::kNothingSelectedToDelete, texts::kError, MessageKind::Error, MessageButtons::Ok);
            return;
        }
        InventoryContext inventory = lists_.Inventory();
        RemovalOutcome outcome;
        try {
            // The record of what goes is written first; without it nothing
            // goes. Only administrators may write the all users' records.
            outcome = RemoveEntries(inventory, target.scope, rows, RecordsPlaceOf(platform_, target.scope));
        } catch (const Error& error) {
            failures_.Show(error, texts::kRestartToRemoveQuestion);
            return;
        }
        lists_.LoadSelectedTab();
        // A removed entry whose mark stayed is said as such, never as not removed.
        std::wstring marksLeft;
        if (!outcome.marksLeft.empty()) {
            marksLeft = texts::kMarksLeftHeading;
            for (const RemovalFailure& left : outcome.marksLeft) marksLeft += L"\n" + left.name + L": " + left.reason;
        }
        if (!outcome.failures.empty()) {
            failures_.Show(texts::kRemovalReportHeading, outcome.failures, texts::kRestartToRemoveQuestion, marksLeft);
        } else if (!marksLeft.empty()) {
            view_.ShowMessage(marksLeft, texts::kWarning, MessageKind::Warning, MessageButtons::Ok);
        }
    });
}

void RowCommands::SwitchSelected(Switch change, const wchar_t* reportHeading) {
    SwallowFailures([&] {
        const Selection chosen = Selected(TabUse::RowCommand);
        InventoryContext inventory = lists_.Inventory();
        const std::vector<RemovalFailure> failures = change(inventory, chosen.target.scope, chosen.rows);
        lists_.LoadSelectedTab([switched = chosen.rows](const StartupEntry& row) {
            return std::any_of(switched.begin(), switched.end(), [&](const auto& c) { return SameEntry(c, row); });
        });
        if (!failures.empty()) failures_.Show(reportHeading, failures, texts::kRestartToChangeQuestion);
    });
}

// What could not be written is reported after the reload, with the offer to
// restart as administrator where rights were missing.
void RowCommands::DisableSelected() { SwitchSelected(&DisableEntries, texts::kDisableReportHeading); }

void RowCommands::EnableSelected() { SwitchSelected(&EnableEntries, texts::kEnableReportHeading); }

// Nothing is written before the user has seen what would come back and
// where, and said OK. A record that is not used says why. The list is
// reloaded with the rows put back selected; what could not be put back is
// reported after it.
void RowCommands::UndoRemoval() {
    SwallowFailures([&] {
        const TabTarget target = *TargetOfTab(TabUse::Delete, view_.TabIndex());
        InventoryContext inventory = lists_.Inventory();
        const UndoPlan plan = PlanUndo(inventory, target.scope, RecordsPlaceOf(platform_, target.scope));
        if (!plan.found) return;
        if (!plan.refusal.empty()) {
            view_.ShowMessage(texts::UndoRefused(plan.folder, plan.refusal), texts::kError, MessageKind::Error,
                              MessageButtons::Ok);
            return;
        }
        std::wstring entries;
        for (const PlannedEntry& entry : plan.entries) entries += L"\n" + entry.name + L"  \u2192  " + entry.where;
        if (view_.ShowMessage(texts::UndoQuestion(entries), texts::kInformation, MessageKind::Information,
                              MessageButtons::OkCancel) != MessageAnswer::Ok)
            return;
        const UndoOutcome outcome = CarryOutUndo(inventory, target.scope, plan);
        lists_.LoadSelectedTab([scope = target.scope, restored = outcome.restored](const StartupEntry& row) {
            return ShowsRestoredEntry(row, scope, restored);
        });
        if (!outcome.failures.empty()) {
            failures_.Show(texts::kUndoReportHeading, outcome.failures, texts::kRestartToChangeQuestion);
        }
    });
}

RowCommands::Selection RowCommands::Selected(TabUse use) {
    const TabTarget target = *TargetOfTab(use, view_.TabIndex());
    return Selection{target, lists_.SelectedRows(target.list)};
}

bool RowCommands::CanDisable() { return CanDisableAny(Selected(TabUse::RowCommand).rows); }

bool RowCommands::CanEnable() { return CanEnableAny(Selected(TabUse::RowCommand).rows); }

bool RowCommands::CanUndo() {
    const StartupScope scope = TargetOfTab(TabUse::Delete, view_.TabIndex())->scope;
    return CanUndoRemoval(platform_, scope, RecordsPlaceOf(platform_, scope));
}

// The name field may already be set when a failure ends it.
void RowCommands::CopyRowIntoFields(Role list) {
    SwallowFailures([&] {
        const std::vector<int> selected = view_.SelectedRows(list);
        const std::vector<StartupEntry>& rows = lists_.Rows(list).rows;
        if (rows.empty() || selected.empty()) return;
        // The lowest selected row, not necessarily the one under the pointer.
        const int lowest = *std::min_element(selected.begin(), selected.end());
        if (lowest < 0 || lowest >= static_cast<int>(rows.size())) return;
        const StartupEntry& row = rows[static_cast<std::size_t>(lowest)];
        view_.SetFieldText(Role::NameField, row.name);
        view_.SetFieldText(Role::PathField, row.location);
    });
}

// The rows are the ones the last load showed; marking them cannot fail.
void RowCommands::SelectAllRows() {
    const std::optional<TabTarget> target = TargetOfTab(TabUse::Load, view_.TabIndex());
    if (!target) return;
    const auto rows = static_cast<int>(lists_.Rows(target->list).rows.size());
    for (int row = 0; row < rows; ++row) view_.SelectRow(target->list, row);
}

}  // namespace quillmark
