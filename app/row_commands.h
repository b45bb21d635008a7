#pragma once
#include <string>

#include "app/main_view.h"
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
    // A click on a row of the list: its name and location go into the add panel's fields.
    void CopyRowIntoFields(ListId list);
    // Ctrl+A: every row of the visible list.
    void SelectAllRows();
    // `key` is the virtual-key code; the key is not consumed.
    void KeyDown(int key);

private:
    template <typename Step>
    void ForEachSelectedProgram(Step step);

    MainView& view_;
    StartupLists& lists_;
    Platform platform_;
    FailureReport& failures_;
};

}  // namespace quillmark
