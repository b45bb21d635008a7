#pragma once
#include "app/main_view.h"
#include "platform/platform.h"

namespace quillmark {

class StartupLists;

// The bottom panel's launchers of system tools and special folders. What the
// shell does with each request is not examined: a missing tool or folder
// leaves no trace in the program.
class Launchers {
public:
    Launchers(MainView& view, StartupLists& lists, Platform platform);

    void OpenScheduledTasks();
    void OpenServices();
    void OpenAddRemovePrograms();
    // The folder chosen in the quick-launch list.
    void OpenQuickLaunchFolder();
    // The hidden "test" button: the user's own Startup folder.
    void OpenUserStartupFolder();

private:
    MainView& view_;
    StartupLists& lists_;
    Platform platform_;
};

}  // namespace quillmark
