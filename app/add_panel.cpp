#include "app/add_panel.h"

#include <iterator>

#include "app/failure_report.h"
#include "app/guards.h"
#include "app/keys.h"
#include "app/name_proposal.h"
#include "app/settings_slot.h"
#include "app/startup_lists.h"
#include "app/tab_target.h"
#include "app/texts.h"
#include "inventory/add_shortcut.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

namespace {

// The folders of the add-program list's items, by index.
constexpr int kAddProgramsFolders[] = {kCsidlProgramFiles,     kCsidlPersonal, kCsidlCommonDocuments,
                                       kCsidlDesktopDirectory, kCsidlSystem,   kCsidlProgramFilesCommon};

Role OtherField(Role field) {
    return field == Role::NameField ? Role::PathField : Role::NameField;
}

}  // namespace

AddPanel::AddPanel(MainView& view, StartupLists& lists, Platform platform, SettingsSlot& settings,
                   FailureReport& failures)
    : view_(view), lists_(lists), platform_(platform), settings_(settings), failures_(failures) {}

void AddPanel::WriteLastBrowsePath() {
    settings_.Required().WriteString(kKeyDefaultFilePath, platform_.codePage.ToAnsi(lastBrowsePath_));
}

// The entered field in the highlight colours, the other one plain.
void AddPanel::PaintFocusColours(Role entered) {
    view_.SetFieldColours(entered, kColourHighlight, kColourHighlightText);
    view_.SetFieldColours(OtherField(entered), kColourWindow, kColourWindowText);
}

// The chosen file does not move the start
// folder: the next dialog opens where this one did.
void AddPanel::ChooseProgramFile() {
    SwallowFailures([&] {
        if (Trim(lastBrowsePath_).empty()) lastBrowsePath_ = PickerFolderPath(platform_, kCsidlProgramFiles);
        const std::optional<std::wstring> file = view_.ChooseFile(lastBrowsePath_);
        if (file) {
            // The shortcut is for the 64-bit shell, which knows no Sysnative.
            const std::wstring picked = WindowsNamedPath(platform_, *file);
            view_.SetFieldText(Role::PathField, picked);
            view_.SetFieldText(Role::NameField, ExtractFileName(picked));
            view_.SetEditPanelVisible(true);
        }
        WriteLastBrowsePath();
    });
}

// The file flow guards itself.
void AddPanel::AddProgram() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = false;
        ChooseProgramFile();
        PaintFocusColours(Role::PathField);
    });
}

// The special folder stays the pickers' start
// folder, also after a restart, until something else changes it.
void AddPanel::AddProgramFromFolderList() {
    WithDefaultErrorBox(view_, [&] {
        const int index = view_.ComboItemIndex(Role::AddProgramFolderList);
        if (index < 0 || index >= static_cast<int>(std::size(kAddProgramsFolders))) return;
        lastBrowsePath_ = PickerFolderPath(platform_, kAddProgramsFolders[index]);
        addMode_ = false;
        ChooseProgramFile();
    });
}

// A cancelled browse shows the panel with both
// fields empty and stores the empty start folder.
void AddPanel::AddFolder() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = false;
        lastBrowsePath_ = BrowseForFolder(platform_, texts::kChooseFolderPrompt, lastBrowsePath_);
        view_.SetFieldText(Role::PathField, lastBrowsePath_);
        std::wstring name = Trim(ExtractFileName(lastBrowsePath_));
        if (name.empty()) name = Trim(lastBrowsePath_);  // a drive root names itself
        view_.SetFieldText(Role::NameField, name);
        view_.SetEditPanelVisible(true);
        PaintFocusColours(Role::PathField);
        WriteLastBrowsePath();
    });
}

// Focusing the path selects the preset, so
// typing replaces it.
void AddPanel::AddWebPage() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = true;
        view_.SetFieldText(Role::NameField, L"");
        view_.SetEditPanelVisible(true);
        view_.SetFieldColours(Role::PathField, kColourHighlight, kColourHighlightText);
        view_.SetFieldText(Role::PathField, texts::kWebPagePreset);
        view_.FocusField(Role::PathField);
    });
}

void AddPanel::FieldEntered(Role field) {
    WithDefaultErrorBox(view_, [&] { PaintFocusColours(field); });
}

// Replaces the name, also one the user typed.
void AddPanel::PathFieldLeft() {
    WithDefaultErrorBox(view_, [&] {
        view_.SetFieldText(Role::NameField, ProposedName(view_.FieldText(Role::PathField)));
    });
}

void AddPanel::FieldKeyDown(Role field, int key) {
    if (key != kKeyEnter) return;
    if (field == Role::PathField) PathFieldLeft();
    ConfirmAdd();
}

// Focusing a field that did not have the focus runs its enter rule, which
// repaints it: the red marking stays only on a field that already had it.
void AddPanel::RejectBlankField(Role field, const wchar_t* message) {
    view_.ShowMessage(message, texts::kError, MessageKind::Error, MessageButtons::Ok);
    view_.SetFieldColours(field, Rgb(255, 0, 0), Rgb(255, 255, 0));
    view_.FocusField(field);
}

// A shortcut that cannot be written is shown; the panel then
// stays with both texts as they were and nothing is reloaded.
void AddPanel::ConfirmAdd() {
    SwallowFailures([&] {
        for (Role field : {Role::NameField, Role::PathField}) {
            view_.SetFieldColours(field, Rgb(255, 255, 255), Rgb(0, 0, 0));
        }
        const std::wstring path = view_.FieldText(Role::PathField);
        const std::wstring name = view_.FieldText(Role::NameField);
        if (Trim(path).empty()) return RejectBlankField(Role::PathField, texts::kPathMissing);
        if (Trim(name).empty()) return RejectBlankField(Role::NameField, texts::kNameMissing);

        bool declined = false;
        const ConfirmReplace confirmReplace = [&](const std::wstring& file) {
            declined = view_.ShowMessage(texts::ReplaceQuestion(file), texts::kWarning, MessageKind::Warning,
                                         MessageButtons::OkCancelDefaultCancel) != MessageAnswer::Ok;
            return !declined;
        };
        const StartupScope scope = TargetOfTab(TabUse::Add, view_.TabIndex())->scope;
        try {
            InventoryContext inventory = lists_.Inventory();
            AddStartupShortcut(inventory, scope, name, path, addMode_, confirmReplace);
        } catch (const Error& error) {
            // A refusal (the all-users folder for a standard user) comes with
            // the offer to restart as administrator.
            failures_.Show(error, texts::kRestartToAddQuestion);
            return;
        }
        // Declined: the panel stays open for another name.
        if (declined) return;
        lists_.LoadSelectedTab();
        view_.SetEditPanelVisible(false);
    });
}

// Texts, colours and AddMode stay.
void AddPanel::CancelAdd() {
    WithDefaultErrorBox(view_, [&] { view_.SetEditPanelVisible(false); });
}

}  // namespace quillmark
