#pragma once
#include "app/main_view.h"
#include "platform/platform.h"

namespace quillmark {

class StartupLists;

// The bottom panel's launchers of system tools and special folders. A system
// console that cannot be opened is reported; what the shell does with a
// folder or the installed-programs panel is not examined.
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
    void OpenConsole(const wchar_t* tool, const wchar_t* console);

    MainView& view_;
    StartupLists& lists_;
    Platform platform_;
};

}  // namespace quillmark
