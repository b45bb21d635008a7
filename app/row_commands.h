#pragma once
#include <span>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_view.h"
#include "app/tab_target.h"
#include "inventory/remove_entries.h"
#include "platform/platform.h"

namespace quillmark {

class FailureReport;
class StartupLists;

// Commands on the selected rows of the visible list (Open, Open containing
// folder, Show Properties, Delete), the lists' keys and the row click.
class RowCommands {
public:
    RowCommands(MainView& view, StartupLists& lists, Platform platform, FailureReport& failures);

    void OpenSelected();
    void OpenContainingFolder();
    void ShowProperties();
    void DeleteSelected();
    // Switches the selected rows off (or on) the way Task Manager does: the
    // entries stay, Windows skips them at logon.
    void DisableSelected();
    void EnableSelected();
    // Puts back what the newest removal of the tab's scope took.
    void UndoRemoval();
    // Whether the command would change anything now, for its menu item.
    bool CanDisable();
    bool CanEnable();
    bool CanUndo();
    // A click on a row of the list: its name and location go into the add panel's fields.
    void CopyRowIntoFields(Role list);
    // Ctrl+A: every row of the visible list.
    void SelectAllRows();

private:
    // The rows a command acts on, and the scope and list they belong to.
    struct Selection {
        TabTarget target;
        std::vector<StartupEntry> rows;
    };
    // What Open, Properties, Disable and Enable act on (TabUse::RowCommand),
    // or Delete and Undo (TabUse::Delete).
    Selection Selected(TabUse use);
    template <typename Step>
    void ForEachSelectedProgram(Step step);
    using Switch = std::vector<RemovalFailure> (*)(InventoryContext&, StartupScope, std::span<const StartupEntry>);
    void SwitchSelected(Switch change, const wchar_t* reportHeading);

    MainView& view_;
    StartupLists& lists_;
    Platform platform_;
    FailureReport& failures_;
};

}  // namespace quillmark
