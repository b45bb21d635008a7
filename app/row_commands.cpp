// Commands on the selected rows of the visible list: Open, Open containing
// folder, Show Properties, Delete, the lists' keys and the row click.
#include <algorithm>

#include "app/elevated_restart.h"
#include "app/guards.h"
#include "app/tfrm_run.h"
#include "inventory/remove_entries.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/command_line.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"

namespace quillmark {

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyDelete = 46;

// Open and its siblings take the all-users list on any tab but the first;
// Delete decides by tab 1 alone (see cmdDeleteClick).
ListId ListOfRowCommands(int tabIndex) { return tabIndex != 0 ? ListId::LVLocalMachine : ListId::LvCurrentUser; }

// The program an entry starts: the shortcut's target, then the command line's program.
std::wstring ResolvedPath(const Platform& platform, const std::wstring& location) {
    return ProgramPathFromCommand(platform, ResolveShortcutTarget(platform, location));
}

// Up to and including the last "\" or ":"; empty when there is neither.
std::wstring ContainingFolder(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

void OpenWithShell(const Platform& platform, const std::wstring& file) {
    // What the shell makes of it is not examined; it shows its own errors.
    platform.shell.ExecuteW(ShellOwner::MainWindow, L"Open", file, L"", L"", kSwShow);
}

std::wstring RemovalReport(const std::vector<RemovalFailure>& failures, bool offerElevation) {
    std::wstring text = L"These entries could not be removed:\n";
    for (const RemovalFailure& failure : failures) text += L"\n" + failure.name + L": " + failure.reason;
    if (offerElevation) text += L"\n\nRestart Quillmark as administrator to remove them?";
    return text;
}

}  // namespace

// The list's selection is the widget's; the rows remember it for the inventory.
void TfrmRun::SyncSelection(ListId list) {
    const std::vector<int> selected = view_.SelectedRows(list);
    std::vector<StartupEntry>& rows = Rows(list).rows;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        rows[index].selected = std::find(selected.begin(), selected.end(), static_cast<int>(index)) != selected.end();
    }
}

// Hands each selected row's program, in row order, to `step`.
template <typename Step>
void TfrmRun::ForEachSelectedProgram(Step step) {
    const ListId list = ListOfRowCommands(view_.TabIndex());
    SyncSelection(list);
    for (const StartupEntry& row : Rows(list).rows) {
        if (row.selected) step(ResolvedPath(services_.platform, row.location));
    }
}

// Guard: the default error box; a failure ends the command at that row.
void TfrmRun::LvCurrentUserDblClick() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram([&](const std::wstring& program) { OpenWithShell(services_.platform, program); });
    });
}

// The hidden "Run" button only opens.
void TfrmRun::BtnSSPCRunClick() { LvCurrentUserDblClick(); }

// Guard: the default error box. The folder keeps every character of the path.
void TfrmRun::Opencontainingfolder1Click() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram(
            [&](const std::wstring& program) { OpenWithShell(services_.platform, ContainingFolder(program)); });
    });
}

// Guard: the default error box.
void TfrmRun::BtnFilePropertiesClick() {
    WithDefaultErrorBox(view_, [&] {
        ForEachSelectedProgram([&](const std::wstring& program) { ShowFileProperties(services_.platform, program); });
    });
}

// Guard: swallow. What could not be removed is reported after the reload,
// so the list already shows the truth when the box names the entries.
void TfrmRun::cmdDeleteClick() {
    SwallowFailures([&] {
        if (view_.ShowMessage(L"Are you sure you want to remove selected item?", L"Information",
                              MessageKind::Information, MessageButtons::OkCancel) != MessageAnswer::Ok) {
            return;
        }
        const bool allUsers = view_.TabIndex() == 1;
        const ListId list = allUsers ? ListId::LVLocalMachine : ListId::LvCurrentUser;
        SyncSelection(list);
        // Only the all-users side says so; the current user's side reloads.
        if (allUsers && view_.SelectedRows(list).empty()) {
            view_.ShowMessage(L"No item selected for deletion!!!", L"Error", MessageKind::Error, MessageButtons::Ok);
            return;
        }
        InventoryContext inventory = Inventory();
        const std::vector<RemovalFailure> failures = RemoveSelectedEntries(
            inventory, allUsers ? StartupScope::AllUsers : StartupScope::CurrentUser, Rows(list), dataFolder_);
        LoadSelectedTab();
        if (!failures.empty()) ReportRemovalFailures(failures);
    });
}

// Missing rights can be had by restarting as administrator (on Windows a
// standard user's process never holds them); other failures are only named.
void TfrmRun::ReportRemovalFailures(const std::vector<RemovalFailure>& failures) {
    const bool elevated = services_.isElevated && services_.isElevated();
    const bool offerElevation =
        !elevated && std::any_of(failures.begin(), failures.end(), [](const auto& f) { return f.accessDenied; });
    const MessageAnswer answer =
        view_.ShowMessage(RemovalReport(failures, offerElevation), L"Error", MessageKind::Error,
                          offerElevation ? MessageButtons::OkCancel : MessageButtons::Ok);
    if (!offerElevation || answer != MessageAnswer::Ok) return;
    // This instance closes only once the elevated one runs; a declined
    // elevation leaves everything as it is.
    if (RestartElevated(services_.platform, services_.programPath, view_.TabIndex())) view_.Close();
}

// Guard: swallow; the name field may already be set when a failure ends it.
void TfrmRun::CopyRowIntoFields(ListId list) {
    SwallowFailures([&] {
        const std::vector<int> selected = view_.SelectedRows(list);
        const std::vector<StartupEntry>& rows = Rows(list).rows;
        if (rows.empty() || selected.empty()) return;
        // The lowest selected row, not necessarily the one under the pointer.
        const int lowest = *std::min_element(selected.begin(), selected.end());
        if (lowest < 0 || lowest >= static_cast<int>(rows.size())) return;
        const StartupEntry& row = rows[static_cast<std::size_t>(lowest)];
        view_.SetFieldText(FieldId::TxtStartName, row.name);
        view_.SetFieldText(FieldId::TxtStartPath, row.location);
    });
}

void TfrmRun::LvCurrentUserClick() { CopyRowIntoFields(ListId::LvCurrentUser); }

// Also bound to the hidden search list, where it still reads LVLocalMachine.
void TfrmRun::LVLocalMachineClick() { CopyRowIntoFields(ListId::LVLocalMachine); }

// Each command carries its own guard. Shift, Ctrl and Alt are not looked at.
void TfrmRun::LvCurrentUserKeyDown(int key) {
    if (key == kKeyEnter || key == kKeySpace) LvCurrentUserDblClick();
    if (key == kKeyDelete) cmdDeleteClick();
}

}  // namespace quillmark
