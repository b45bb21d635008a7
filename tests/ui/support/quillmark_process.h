#pragma once
// Starts the real Quillmark.exe, finds its window and controls, and ends it.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/ui/support/dialog_boxes.h"
#include "tests/ui/support/handles.h"

namespace quillmark::uitest {

// QUILLMARK_EXE when set, otherwise app\Quillmark.exe beside the folder that
// holds the running harness (build\tests\x.exe -> build\app\Quillmark.exe).
std::wstring QuillmarkExePath();

// Seconds since an arbitrary start, from the performance counter.
double NowSeconds();

class QuillmarkProcess {
public:
    // `arguments` follow the quoted program path on the command line.
    explicit QuillmarkProcess(const std::wstring& exePath = QuillmarkExePath(), const std::wstring& arguments = {});
    QuillmarkProcess(const QuillmarkProcess&) = delete;
    QuillmarkProcess& operator=(const QuillmarkProcess&) = delete;
    // Ends the program if a test left it running.
    ~QuillmarkProcess();

    DWORD ProcessId() const noexcept { return processId_; }
    double StartSeconds() const noexcept { return startSeconds_; }
    bool IsRunning() const;

    // The top-level window of class TfrmRun captioned "Quillmark 1.5" that
    // this process owns; nullptr when it has not appeared within the time.
    HWND WaitForMainWindow(DWORD timeoutMs);
    HWND MainWindow() const noexcept { return mainWindow_; }
    // A descendant of the main window with that control identifier, or nullptr.
    HWND Control(int id) const;

    // Texts of the dialog boxes the program shows right now (message boxes,
    // error boxes), each answered with Cancel when `dismiss` is set.
    std::vector<std::wstring> DialogTexts(bool dismiss);
    // Waits until the program shows a dialog box; nothing after the time-out.
    std::optional<DialogBox> WaitForDialogBox(DWORD timeoutMs = 10000) const;

    // Presses "&Exit" (posted, so that a question at close cannot block the
    // harness), answers each dialog box that comes up with Cancel, and waits
    // for the process to end. Returns the texts of the boxes it answered.
    std::vector<std::wstring> ExitAndWait(DWORD timeoutMs = 15000);
    void Kill();

private:
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
    double startSeconds_ = 0;
    HWND mainWindow_ = nullptr;
};

}  // namespace quillmark::uitest
