#pragma once
#include <string>

#include "app/main_view.h"
#include "platform/platform.h"

namespace quillmark {

class FailureReport;
class SettingsSlot;
class StartupLists;

// The add panel: the commands that fill and show it, the name
// proposal, the fields' colours, Confirm and Cancel, and the folder the
// pickers start in (LastBrowsePath).
class AddPanel {
public:
    AddPanel(MainView& view, StartupLists& lists, Platform platform, SettingsSlot& settings, FailureReport& failures);

    // "&Add program...": the file picker, then the panel.
    void AddProgram();
    // A folder chosen in the add-program list: the file picker starts there.
    void AddProgramFromFolderList();
    // "Add &folder...": the folder browser, then the panel.
    void AddFolder();
    // "Add web page": the panel with the address preset.
    void AddWebPage();
    // "Confir&m to add".
    void ConfirmAdd();
    // "&Cancel": hides the panel; texts, colours and AddMode stay.
    void CancelAdd();

    // The focus moved into the field from another control of the window.
    void FieldEntered(Role field);
    // The focus left the path field for another control: the name is proposed.
    void PathFieldLeft();
    // `key` is the virtual-key code; Enter confirms. The key is not consumed.
    void FieldKeyDown(Role field, int key);

    // Exact in memory; the settings file keeps what its code page can spell.
    const std::wstring& LastBrowsePath() const noexcept { return lastBrowsePath_; }
    void SetLastBrowsePath(std::wstring path) { lastBrowsePath_ = std::move(path); }
    // True while the panel adds a web page rather than a program or folder.
    bool AddMode() const noexcept { return addMode_; }

private:
    void ChooseProgramFile();
    void WriteLastBrowsePath();
    void PaintFocusColours(Role entered);
    void RejectBlankField(Role field, const wchar_t* message);

    MainView& view_;
    StartupLists& lists_;
    Platform platform_;
    SettingsSlot& settings_;
    FailureReport& failures_;
    std::wstring lastBrowsePath_;
    bool addMode_ = false;
};

}  // namespace quillmark
