#pragma once
// The dialog boxes the program under test shows: message boxes, error boxes
// and the file-open dialog. Found by their window class across the process
// boundary, read, and answered as a user would.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quillmark::uitest {

struct DialogBox {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;  // a message box's text; empty for other dialogs
};

// The visible dialog boxes (window class "#32770") of the process, topmost first.
std::vector<DialogBox> OpenDialogBoxes(DWORD processId);
// Waits until the process shows a dialog box; nothing after the time-out.
std::optional<DialogBox> WaitForDialogBox(DWORD processId, DWORD timeoutMs = 10000);
// "Caption: text", for failure messages and the answered-box lists.
std::wstring Describe(const DialogBox& box);

// Presses the box's button with this identifier (IDOK, IDCANCEL), as a click
// does, and waits until the box has closed. False when it stays open.
bool AnswerDialogBox(const DialogBox& box, int buttonId, DWORD timeoutMs = 5000);

// Types `path` into the file-open dialog's file-name field and presses Open.
// False when the dialog has no file-name field or does not close.
bool ChooseFileInDialog(const DialogBox& dialog, const std::wstring& path, DWORD timeoutMs = 5000);

}  // namespace quillmark::uitest
