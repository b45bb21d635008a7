#include "app/row_commands.h"

#include <algorithm>

#include "app/data_folder.h"
#include "app/failure_report.h"
#include "app/guards.h"
#include "app/keys.h"
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
    for (const StartupEntry& row : lists_.Rows(SelectionTarget().list).rows) {
        if (row.selected) step(ResolvedProgramPath(platform_, row.location));
    }
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
        if (view_.ShowMessage(texts::kDeleteQuestion, texts::kInformation, MessageKind::Information,
                              MessageButtons::OkCancel) != MessageAnswer::Ok) {
            return;
        }
        const TabTarget target = *TargetOfTab(TabUse::Delete, view_.TabIndex());
        lists_.SyncSelection(target.list);
        // Only the all-users side says so; the current user's side reloads.
        if (target.scope == StartupScope::AllUsers && view_.SelectedRows(target.list).empty()) {
            view_.ShowMessage(texts::kNothingSelectedToDelete, texts::kError, MessageKind::Error, MessageButtons::Ok);
            return;
        }
        InventoryContext inventory = lists_.Inventory();
        std::vector<RemovalFailure> failures;
        try {
            // The record of what goes is written first; without it nothing goes.
            failures = RemoveSelectedEntries(inventory, target.scope, lists_.Rows(target.list), DataFolder(platform_));
        } catch (const Error& error) {
            view_.ShowMessage(error.message(), texts::kError, MessageKind::Error, MessageButtons::Ok);
            return;
        }
        lists_.LoadSelectedTab();
        if (!failures.empty()) failures_.Show(texts::kRemovalReportHeading, failures, texts::kRestartToRemoveQuestion);
    });
}

void RowCommands::SwitchSelected(Switch change, const wchar_t* reportHeading) {
    SwallowFailures([&] {
        const TabTarget target = SelectionTarget();
        std::vector<StartupEntry> chosen;
        for (const StartupEntry& row : lists_.Rows(target.list).rows) {
            if (row.selected) chosen.push_back(row);
        }
        InventoryContext inventory = lists_.Inventory();
        const std::vector<RemovalFailure> failures = change(inventory, target.scope, lists_.Rows(target.list));
        lists_.LoadSelectedTab([&](ScopeList& rows) {
            for (StartupEntry& row : rows.rows) {
                row.selected = std::any_of(chosen.begin(), chosen.end(), [&](const auto& c) { return SameEntry(c, row); });
            }
        });
        if (!failures.empty()) failures_.Show(reportHeading, failures, texts::kRestartToChangeQuestion);
    });
}

// What could not be written is reported after the reload, with the offer to
// restart as administrator where rights were missing.
void RowCommands::DisableSelected() { SwitchSelected(&DisableSelectedEntries, texts::kDisableReportHeading); }

void RowCommands::EnableSelected() { SwitchSelected(&EnableSelectedEntries, texts::kEnableReportHeading); }

// The list is reloaded with the rows put back selected; what could not be put
// back is reported after it.
void RowCommands::UndoRemoval() {
    SwallowFailures([&] {
        const TabTarget target = *TargetOfTab(TabUse::Delete, view_.TabIndex());
        InventoryContext inventory = lists_.Inventory();
        const UndoOutcome outcome = UndoLastRemoval(inventory, target.scope, DataFolder(platform_));
        if (!outcome.found) return;
        lists_.LoadSelectedTab([&](ScopeList& rows) { SelectRestoredRows(rows, target.scope, outcome.restored); });
        if (!outcome.failures.empty()) {
            failures_.Show(texts::kUndoReportHeading, outcome.failures, texts::kRestartToChangeQuestion);
        }
    });
}

TabTarget RowCommands::SelectionTarget() {
    const TabTarget target = *TargetOfTab(TabUse::RowCommand, view_.TabIndex());
    lists_.SyncSelection(target.list);
    return target;
}

bool RowCommands::CanDisable() { return CanDisableSelected(lists_.Rows(SelectionTarget().list)); }

bool RowCommands::CanEnable() { return CanEnableSelected(lists_.Rows(SelectionTarget().list)); }

bool RowCommands::CanUndo() {
    return CanUndoRemoval(platform_, TargetOfTab(TabUse::Delete, view_.TabIndex())->scope, DataFolder(platform_));
}

// The name field may already be set when a failure ends it.
void RowCommands::CopyRowIntoFields(ListId list) {
    SwallowFailures([&] {
        const std::vector<int> selected = view_.SelectedRows(list);
        const std::vector<StartupEntry>& rows = lists_.Rows(list).rows;
        if (rows.empty() || selected.empty()) return;
        // The lowest selected row, not necessarily the one under the pointer.
        const int lowest = *std::min_element(selected.begin(), selected.end());
        if (lowest < 0 || lowest >= static_cast<int>(rows.size())) return;
        const StartupEntry& row = rows[static_cast<std::size_t>(lowest)];
        view_.SetFieldText(FieldId::TxtStartName, row.name);
        view_.SetFieldText(FieldId::TxtStartPath, row.location);
    });
}

// The rows are the ones the last load showed; marking them cannot fail.
void RowCommands::SelectAllRows() {
    const std::optional<TabTarget> target = TargetOfTab(TabUse::Load, view_.TabIndex());
    if (!target) return;
    const auto rows = static_cast<int>(lists_.Rows(target->list).rows.size());
    for (int row = 0; row < rows; ++row) view_.SelectRow(target->list, row);
}

// Each command carries its own guard. Shift, Ctrl and Alt are not looked at.
void RowCommands::KeyDown(int key) {
    switch (KeyCommand(key)) {
    case Command::OpenSelected: return OpenSelected();
    case Command::DeleteSelected: return DeleteSelected();
    default: return;
    }
}

Command RowCommands::KeyCommand(int key) noexcept {
    if (key == kKeyEnter || key == kKeySpace) return Command::OpenSelected;
    if (key == kKeyDelete) return Command::DeleteSelected;
    return Command::None;
}

}  // namespace quillmark
