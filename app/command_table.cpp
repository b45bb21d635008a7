#include "app/command_table.h"

#include <array>

#include "app/keys.h"
#include "app/tfrm_run.h"

namespace quillmark {

namespace {

using C = Command;
using Refusal = OtherAccountRefusal;
using P = KeyPlace;
using Window = TfrmRun;

constexpr CommandKey kRefreshKeys[] = {{kKeyF5}};
constexpr CommandKey kNextTabKeys[] = {{kKeyTab, P::Anywhere, true}, {kKeyPageDown, P::Anywhere, true}};
constexpr CommandKey kPreviousTabKeys[] = {{kKeyTab, P::Anywhere, true, true}, {kKeyPageUp, P::Anywhere, true}};
constexpr CommandKey kOpenKeys[] = {{kKeyEnter, P::ListItself}, {kKeySpace, P::ListItself}};
constexpr CommandKey kDeleteKeys[] = {{kKeyDelete, P::ListItself}};
// Only in a list: in the add panel's fields Ctrl+Z and Ctrl+A are the field's own.
constexpr CommandKey kUndoKeys[] = {{kKeyZ, P::List, true}};
constexpr CommandKey kSelectAllKeys[] = {{kKeyA, P::List, true}};
constexpr CommandKey kCancelAddKeys[] = {{kKeyEscape, P::AddPanel}};

// What another account's elevated instance refuses. Consenting with an
// administrator's password makes the new process that administrator: its
// current user is the administrator, and what it starts runs with those rights.
constexpr Refusal kNone = Refusal::None;
// Acts on the current user's scope, which is the administrator's there.
constexpr Refusal kScope = Refusal::CurrentUsersScope;
// Would start a program or open a web page as the administrator.
constexpr Refusal kElevated = Refusal::StartsAsAdministrator;

// clang-format off
constexpr std::array<CommandRow, kCommandCount> kCommands{{
{C::None},
{C::Refresh,                [](Window& w) { w.Refresh(); }, nullptr, kNone, kNone, kRefreshKeys},
{C::SwitchTab,              [](Window& w) { w.SwitchTab(); }},
{C::NextTab,                [](Window& w) { w.SelectNeighbourTab(false); }, nullptr, kNone, kNone, kNextTabKeys},
{C::PreviousTab,            [](Window& w) { w.SelectNeighbourTab(true); }, nullptr, kNone, kNone, kPreviousTabKeys},
{C::Exit,                   [](Window& w) { w.Exit(); }},
// A row's program would run as the administrator.
{C::OpenSelected,           [](Window& w) { w.Rows().OpenSelected(); }, nullptr, kScope, kElevated, kOpenKeys},
{C::OpenContainingFolder,   [](Window& w) { w.Rows().OpenContainingFolder(); }, nullptr, kScope, kNone},
{C::ShowProperties,         [](Window& w) { w.Rows().ShowProperties(); }, nullptr, kScope, kNone},
{C::DeleteSelected,         [](Window& w) { w.Rows().DeleteSelected(); }, nullptr, kScope, kNone, kDeleteKeys},
{C::DisableSelected,        [](Window& w) { w.Rows().DisableSelected(); },
                            [](Window& w) { return w.Rows().CanDisable(); }, kScope, kNone},
{C::EnableSelected,         [](Window& w) { w.Rows().EnableSelected(); },
                            [](Window& w) { return w.Rows().CanEnable(); }, kScope, kNone},
{C::UndoRemoval,            [](Window& w) { w.Rows().UndoRemoval(); },
                            [](Window& w) { return w.Rows().CanUndo(); }, kScope, kNone, kUndoKeys},
{C::SelectAllRows,          [](Window& w) { w.Rows().SelectAllRows(); }, nullptr, kNone, kNone, kSelectAllKeys},
{C::AddProgram,             [](Window& w) { w.Panel().AddProgram(); }, nullptr, kScope, kNone},
{C::AddProgramFromFolderList, [](Window& w) { w.Panel().AddProgramFromFolderList(); }, nullptr, kScope, kNone},
{C::AddFolder,              [](Window& w) { w.Panel().AddFolder(); }, nullptr, kScope, kNone},
{C::AddWebPage,             [](Window& w) { w.Panel().AddWebPage(); }, nullptr, kScope, kNone},
{C::ConfirmAdd,             [](Window& w) { w.Panel().ConfirmAdd(); }, nullptr, kScope, kNone},
{C::CancelAdd,              [](Window& w) { w.Panel().CancelAdd(); }, nullptr, kNone, kNone, kCancelAddKeys},
{C::OpenScheduledTasks,     [](Window& w) { w.Tools().OpenScheduledTasks(); }},
{C::OpenServices,           [](Window& w) { w.Tools().OpenServices(); }},
{C::OpenAddRemovePrograms,  [](Window& w) { w.Tools().OpenAddRemovePrograms(); }},
// The administrator's own folders, documents and desktop.
{C::OpenQuickLaunchFolder,  [](Window& w) { w.Tools().OpenQuickLaunchFolder(); }, nullptr, kScope, kScope},
{C::OpenUserStartupFolder,  [](Window& w) { w.Tools().OpenUserStartupFolder(); }, nullptr, kScope, kScope},
{C::ShowHelpMenu,           [](Window& w) { w.Help().ShowHelpMenu(); }},
{C::ShowAbout,              [](Window& w) { w.Help().ShowAbout(); }},
{C::OpenHelpPage,           [](Window& w) { w.Help().OpenHelpPage(); }, nullptr, kElevated, kElevated},
{C::OpenUpgradePage,        [](Window& w) { w.Help().OpenUpgradePage(); }, nullptr, kElevated, kElevated},
{C::OpenHomePage,           [](Window& w) { w.Help().OpenHomePage(); }, nullptr, kElevated, kElevated},
{C::SendToDesktop,          [](Window& w) { w.DesktopCopy().SendToDesktop(); }, nullptr, kScope, kScope},
}};
// clang-format on

// A command added to the enum without its row, or rows out of order, fails the build here.
constexpr bool EveryCommandHasItsRow() {
    for (std::size_t index = 0; index < kCommands.size(); ++index) {
        if (static_cast<std::size_t>(kCommands[index].command) != index) return false;
        if (index != 0 && kCommands[index].run == nullptr) return false;
    }
    return true;
}
static_assert(EveryCommandHasItsRow(), "each Command needs its row in kCommands, in the enum's order");

}  // namespace

const CommandRow& RowOf(Command command) noexcept {
    const auto index = static_cast<std::size_t>(command);
    return index < kCommands.size() ? kCommands[index] : kCommands[0];
}

std::span<const CommandRow> CommandTable() noexcept { return kCommands; }

}  // namespace quillmark
