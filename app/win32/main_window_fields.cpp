// TfrmRunWindow's side of the lists' events and of the add panel: the list
// notifications, the edit fields' keys and focus changes, the fields'
// colours and focus, the add-program list's choice and the file picker.
#include "app/win32/main_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/win32/theme_colours.h"

namespace quillmark {

namespace {

constexpr UINT_PTR kEditFieldSubclass = 2;
// Room for long paths in the file-open dialog's answer.
constexpr std::size_t kFileNameChars = 32768;

}  // namespace

bool TfrmRunWindow::OnListNotify(const NMHDR& header) {
    if (!IsList(header.hwndFrom)) return false;
    switch (header.code) {
    case NM_CLICK:
        logic_->Rows().CopyRowIntoFields(header.hwndFrom == Control(Role::CurrentUserList) ? Role::CurrentUserList
                                                                                           : Role::AllUsersList);
        return true;
    case NM_DBLCLK:
        logic_->ListDoubleClicked();
        return true;
    case LVN_KEYDOWN:
        // The list still handles the key afterwards: it is not consumed.
        logic_->ListKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
        return true;
    default:
        return false;
    }
}

bool TfrmRunWindow::IsList(HWND hwnd) const {
    return hwnd != nullptr && (hwnd == Control(Role::CurrentUserList) || hwnd == Control(Role::AllUsersList));
}

// A row Windows will not start (marked in its item data by SetRowStatus) is
// drawn in the grey of unavailable text; a selected one keeps the system's
// selection colours, so the selection stays readable.
LRESULT TfrmRunWindow::OnListCustomDraw(const NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
    const bool selected = ListView_GetItemState(draw.nmcd.hdr.hwndFrom, row, LVIS_SELECTED) != 0;
    if (draw.nmcd.lItemlParam == kDisabledRow && !selected) {
        const_cast<NMLVCUSTOMDRAW&>(draw).clrText = GetSysColor(COLOR_GRAYTEXT);
    }
    return CDRF_DODEFAULT;
}

void TfrmRunWindow::WatchEditField(HWND edit) {
    SetWindowSubclass(edit, &EditFieldProc, kEditFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TfrmRunWindow::EditFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR window) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, &EditFieldProc, kEditFieldSubclass);
    // The field does its own work first; the handlers never consume a key.
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_KEYDOWN || message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        reinterpret_cast<TfrmRunWindow*>(window)->OnEditFieldMessage(edit, message, wParam);
    }
    return result;
}

void TfrmRunWindow::OnEditFieldMessage(HWND edit, UINT message, WPARAM wParam) {
    const Role field = edit == Control(Role::PathField) ? Role::PathField : Role::NameField;
    if (message == WM_KEYDOWN) {
        logic_->FieldKeyDown(field, static_cast<int>(wParam));
        return;
    }
    // Entering and leaving are moves between this window's own controls. The
    // focus going to a message box or another program and coming back is
    // neither, so a field marked red keeps its colour behind a box.
    const auto other = reinterpret_cast<HWND>(wParam);
    if (other == nullptr || !IsChild(Handle(), other)) return;
    if (message == WM_SETFOCUS) {
        logic_->Panel().FieldEntered(field);
    } else if (field == Role::PathField) {
        logic_->Panel().PathFieldLeft();
    }
}

void TfrmRunWindow::SetFieldColours(Role field, std::uint32_t background, std::uint32_t text) {
    const HWND edit = Control(field);
    const int id = GetDlgCtrlID(edit);
    const FieldColours colours{ResolvedColour(background), ResolvedColour(text)};
    fieldColours_[id] = colours;
    fieldBrushes_[id].reset(CreateSolidBrush(colours.background));
    InvalidateRect(edit, nullptr, TRUE);
}

void TfrmRunWindow::FocusField(Role field) {
    const HWND edit = Control(field);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

int TfrmRunWindow::ComboItemIndex(Role combo) const {
    const HWND hwnd = Control(combo);
    return hwnd == nullptr ? -1 : static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
}

std::optional<std::wstring> TfrmRunWindow::ChooseFile(const std::wstring& initialFolder) {
    // The layout's "|"-separated pairs, with NULs between and two at the end.
    std::wstring filter = FilePickerLayout().filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.push_back(L'\0');
    std::vector<wchar_t> file(kFileNameChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    // No test that the file exists; no read-only box; resizable. The dialog
    // leaves the process's current folder alone.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace quillmark
