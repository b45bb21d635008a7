// The add panel PnlEdit: the commands that fill and show it, the name
// proposal, the fields' colours, Confirm and Cancel, and LastBrowsePath.
#include "app/guards.h"
#include "app/name_proposal.h"
#include "app/settings_file.h"
#include "app/tfrm_run.h"
#include "inventory/add_shortcut.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

constexpr int kKeyEnter = 13;

// The folders of CbAddProgramsList's items, by index.
constexpr int kAddProgramsFolders[] = {kCsidlProgramFiles,     kCsidlPersonal, kCsidlCommonDocuments,
                                       kCsidlDesktopDirectory, kCsidlSystem,   kCsidlProgramFilesCommon};

FieldId OtherField(FieldId field) {
    return field == FieldId::TxtStartName ? FieldId::TxtStartPath : FieldId::TxtStartName;
}

}  // namespace

void TfrmRun::WriteLastBrowsePath() {
    if (settingsFile_ == nullptr) throw Error(L"The settings file is not open");
    settingsFile_->WriteString(kKeyDefaultFilePath, services_.platform.codePage.ToAnsi(lastBrowsePath_));
}

// The entered field in the highlight colours, the other one plain.
void TfrmRun::PaintFocusColours(FieldId entered) {
    view_.SetFieldColours(entered, kColourHighlight, kColourHighlightText);
    view_.SetFieldColours(OtherField(entered), kColourWindow, kColourWindowText);
}

// Guard: swallow, the whole flow. The chosen file does not move the start
// folder: the next dialog opens where this one did.
void TfrmRun::ChooseProgramFile() {
    SwallowFailures([&] {
        if (Trim(lastBrowsePath_).empty()) lastBrowsePath_ = SpecialFolderPath(services_.platform, kCsidlProgramFiles);
        const std::optional<std::wstring> file = view_.ChooseFile(lastBrowsePath_);
        if (file) {
            view_.SetFieldText(FieldId::TxtStartPath, *file);
            view_.SetFieldText(FieldId::TxtStartName, ExtractFileName(*file));
            view_.SetEditPanelVisible(true);
        }
        WriteLastBrowsePath();
    });
}

// Guard: the default error box (the file flow guards itself).
void TfrmRun::SpeedButton2Click() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = false;
        ChooseProgramFile();
        PaintFocusColours(FieldId::TxtStartPath);
    });
}

// Guard: the default error box. The special folder stays the pickers' start
// folder, also after a restart, until something else changes it.
void TfrmRun::CbAddProgramsListChange() {
    WithDefaultErrorBox(view_, [&] {
        const int index = view_.ComboItemIndex(L"CbAddProgramsList");
        if (index < 0 || index >= static_cast<int>(std::size(kAddProgramsFolders))) return;
        lastBrowsePath_ = SpecialFolderPath(services_.platform, kAddProgramsFolders[index]);
        addMode_ = false;
        ChooseProgramFile();
    });
}

// Guard: the default error box. A cancelled browse shows the panel with both
// fields empty and stores the empty start folder.
void TfrmRun::Button10Click() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = false;
        lastBrowsePath_ = BrowseForFolder(services_.platform, L"Please specify a folder", lastBrowsePath_);
        view_.SetFieldText(FieldId::TxtStartPath, lastBrowsePath_);
        std::wstring name = Trim(ExtractFileName(lastBrowsePath_));
        if (name.empty()) name = Trim(lastBrowsePath_);  // a drive root names itself
        view_.SetFieldText(FieldId::TxtStartName, name);
        view_.SetEditPanelVisible(true);
        PaintFocusColours(FieldId::TxtStartPath);
        WriteLastBrowsePath();
    });
}

// Guard: the default error box. Focusing the path selects the preset, so
// typing replaces it.
void TfrmRun::BtnAddWebpageClick() {
    WithDefaultErrorBox(view_, [&] {
        addMode_ = true;
        view_.SetFieldText(FieldId::TxtStartName, L"");
        view_.SetEditPanelVisible(true);
        view_.SetFieldColours(FieldId::TxtStartPath, kColourHighlight, kColourHighlightText);
        view_.SetFieldText(FieldId::TxtStartPath, L"http://");
        view_.FocusField(FieldId::TxtStartPath);
    });
}

// Guard: the default error box, for the enter and exit handlers alike.
void TfrmRun::TxtStartNameEnter() {
    WithDefaultErrorBox(view_, [&] { PaintFocusColours(FieldId::TxtStartName); });
}

void TfrmRun::TxtStartPathEnter() {
    WithDefaultErrorBox(view_, [&] { PaintFocusColours(FieldId::TxtStartPath); });
}

// Replaces the name, also one the user typed.
void TfrmRun::TxtStartPathExit() {
    WithDefaultErrorBox(view_, [&] {
        view_.SetFieldText(FieldId::TxtStartName, ProposedName(view_.FieldText(FieldId::TxtStartPath)));
    });
}

void TfrmRun::TxtStartNameKeyDown(int key) {
    if (key == kKeyEnter) cmdAddClick();
}

void TfrmRun::TxtStartPathKeyDown(int key) {
    if (key != kKeyEnter) return;
    TxtStartPathExit();
    cmdAddClick();
}

// Focusing a field that did not have the focus runs its enter rule, which
// repaints it: the red marking stays only on a field that already had it.
void TfrmRun::RejectBlankField(FieldId field, const wchar_t* message) {
    view_.ShowMessage(message, L"Error", MessageKind::Error, MessageButtons::Ok);
    view_.SetFieldColours(field, Rgb(255, 0, 0), Rgb(255, 255, 0));
    view_.FocusField(field);
}

// Guard: swallow. A shortcut that cannot be written is shown; the panel then
// stays with both texts as they were and nothing is reloaded.
void TfrmRun::cmdAddClick() {
    SwallowFailures([&] {
        for (FieldId field : {FieldId::TxtStartName, FieldId::TxtStartPath}) {
            view_.SetFieldColours(field, Rgb(255, 255, 255), Rgb(0, 0, 0));
        }
        const std::wstring path = view_.FieldText(FieldId::TxtStartPath);
        const std::wstring name = view_.FieldText(FieldId::TxtStartName);
        if (Trim(path).empty()) return RejectBlankField(FieldId::TxtStartPath, L"Please input the path");
        if (Trim(name).empty()) return RejectBlankField(FieldId::TxtStartName, L"Please input the name");

        bool declined = false;
        const ConfirmReplace confirmReplace = [&](const std::wstring& file) {
            declined = view_.ShowMessage(L"A startup entry named '" + file + L"' already exists. Replace it?",
                                         L"Warning", MessageKind::Warning,
                                         MessageButtons::OkCancelDefaultCancel) != MessageAnswer::Ok;
            return !declined;
        };
        const StartupScope scope = view_.TabIndex() == 1 ? StartupScope::AllUsers : StartupScope::CurrentUser;
        try {
            InventoryContext inventory = Inventory();
            AddStartupShortcut(inventory, scope, name, path, addMode_, confirmReplace);
        } catch (const Error& error) {
            view_.ShowMessage(error.message(), L"Error", MessageKind::Error, MessageButtons::Ok);
            return;
        }
        // Declined: the panel stays open for another name.
        if (declined) return;
        LoadSelectedTab();
        view_.SetEditPanelVisible(false);
    });
}

// Guard: the default error box. Texts, colours and AddMode stay.
void TfrmRun::btnCancelClick() {
    WithDefaultErrorBox(view_, [&] { view_.SetEditPanelVisible(false); });
}

}  // namespace quillmark
