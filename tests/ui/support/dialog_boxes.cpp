#include "tests/ui/support/dialog_boxes.h"

#include "tests/ui/support/remote_window.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {

namespace {

// A message box keeps its text in a static control with this identifier.
constexpr int kMessageTextId = 0xFFFF;
// The file-open dialog's file-name field: an editable combo in the Explorer
// style, a plain edit field in the older one.
constexpr int kFileNameComboId = 0x47C;
constexpr int kFileNameEditId = 0x480;

std::wstring TextOf(HWND window) {
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
    return text;
}

bool IsDialogClass(HWND window) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

struct DialogSearch {
    DWORD processId;
    std::vector<DialogBox> found;
};

BOOL CALLBACK FindDialogsProc(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && IsDialogClass(window)) {
        wchar_t text[2048] = L"";
        GetDlgItemTextW(window, kMessageTextId, text, 2048);
        search->found.push_back(DialogBox{window, TextOf(window), text});
    }
    return TRUE;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs) {
    return WaitFor([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

}  // namespace

std::vector<DialogBox> OpenDialogBoxes(DWORD processId) {
    DialogSearch search{processId, {}};
    EnumWindows(FindDialogsProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<DialogBox> WaitForDialogBox(DWORD processId, DWORD timeoutMs) {
    std::optional<DialogBox> box;
    WaitFor(
        [&] {
            const auto open = OpenDialogBoxes(processId);
            if (!open.empty()) box = open.front();
            return box.has_value();
        },
        timeoutMs);
    return box;
}

std::wstring Describe(const DialogBox& box) { return box.caption + L": " + box.text; }

bool AnswerDialogBox(const DialogBox& box, int buttonId, DWORD timeoutMs) {
    // What a click on the button sends its dialog; a box without that button
    // (Cancel on an OK-only box) still takes the command, as Esc does.
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    return WaitUntilClosed(box.window, timeoutMs);
}

bool ChooseFileInDialog(const DialogBox& dialog, const std::wstring& path, DWORD timeoutMs) {
    HWND field = GetDlgItem(dialog.window, kFileNameComboId);
    if (field == nullptr) field = GetDlgItem(dialog.window, kFileNameEditId);
    if (field == nullptr) return false;
    // WM_SETTEXT carries its text across the process boundary.
    SendRemote(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return AnswerDialogBox(dialog, IDOK, timeoutMs);
}

}  // namespace quillmark::uitest
