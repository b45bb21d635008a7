#include "tests/ui/support/quillmark_process.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app/control_ids.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {

namespace {

constexpr wchar_t kMainCaption[] = L"Quillmark 1.5";

std::wstring EnvironmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::wstring OwnExePath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring ParentOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindowProc(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ClassOf(window) == QUILLMARK_MAIN_WINDOW_CLASS &&
        TextOf(window) == kMainCaption && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControlProc(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring QuillmarkExePath() {
    std::wstring path = EnvironmentValue(L"QUILLMARK_EXE");
    if (!path.empty()) return path;
    return ParentOf(ParentOf(OwnExePath())) + L"\\app\\Quillmark.exe";
}

double NowSeconds() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

QuillmarkProcess::QuillmarkProcess(const std::wstring& exePath, const std::wstring& arguments) {
    if (GetFileAttributesW(exePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::runtime_error("Quillmark.exe not found; set QUILLMARK_EXE");
    }
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const std::wstring folder = ParentOf(exePath);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    startSeconds_ = NowSeconds();
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        throw std::runtime_error("CreateProcessW failed, error " + std::to_string(GetLastError()));
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
}

QuillmarkProcess::~QuillmarkProcess() {
    if (IsRunning()) Kill();
}

bool QuillmarkProcess::IsRunning() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND QuillmarkProcess::WaitForMainWindow(DWORD timeoutMs) {
    WaitFor(
        [this] {
            WindowSearch search{processId_, nullptr};
            EnumWindows(FindMainWindowProc, reinterpret_cast<LPARAM>(&search));
            mainWindow_ = search.found;
            return mainWindow_ != nullptr || !IsRunning();
        },
        timeoutMs, 5);
    return mainWindow_;
}

HWND QuillmarkProcess::Control(int id) const {
    if (mainWindow_ == nullptr) return nullptr;
    ControlSearch search{id, nullptr};
    EnumChildWindows(mainWindow_, FindControlProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> QuillmarkProcess::DialogTexts(bool dismiss) {
    std::vector<std::wstring> texts;
    for (const DialogBox& box : OpenDialogBoxes(processId_)) {
        texts.push_back(Describe(box));
        if (dismiss) PostMessageW(box.window, WM_COMMAND, IDCANCEL, 0);
    }
    return texts;
}

std::optional<DialogBox> QuillmarkProcess::WaitForDialogBox(DWORD timeoutMs) const {
    return quillmark::uitest::WaitForDialogBox(processId_, timeoutMs);
}

std::vector<std::wstring> QuillmarkProcess::ExitAndWait(DWORD timeoutMs) {
    std::vector<std::wstring> answered;
    std::vector<HWND> seen;
    const HWND exitButton = Control(control_ids::kExitButton);
    if (exitButton == nullptr) throw std::runtime_error("the Exit button was not found");
    PostMessageW(exitButton, BM_CLICK, 0, 0);
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (WaitForSingleObject(process_.get(), 50) == WAIT_TIMEOUT) {
        // A box stays on screen until its Cancel is handled; answer it once.
        for (const DialogBox& box : OpenDialogBoxes(processId_)) {
            if (std::find(seen.begin(), seen.end(), box.window) != seen.end()) continue;
            seen.push_back(box.window);
            answered.push_back(Describe(box));
            PostMessageW(box.window, WM_COMMAND, IDCANCEL, 0);
        }
        if (GetTickCount64() >= deadline) {
            Kill();
            throw std::runtime_error("Quillmark did not end after Exit");
        }
    }
    return answered;
}

void QuillmarkProcess::Kill() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

}  // namespace quillmark::uitest
