#include "tests/ui/support/user_input.h"

#include <iterator>
#include <stdexcept>
#include <vector>

namespace quillmark::uitest {

namespace {

INPUT Key(WORD virtualKey, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

INPUT Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
        throw std::runtime_error("SendInput failed, error " + std::to_string(GetLastError()));
    }
    // Let the program's thread take the input before the caller looks.
    Sleep(100);
}

}  // namespace

void BringToFront(HWND window) { SetForegroundWindow(GetAncestor(window, GA_ROOT)); }

void ClickAt(HWND window, POINT clientPoint, bool doubleClick, bool withCtrl) {
    BringToFront(window);
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> inputs;
    if (withCtrl) inputs.push_back(Key(VK_CONTROL, 0, 0));
    for (int click = 0; click < (doubleClick ? 2 : 1); ++click) {
        inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
    }
    if (withCtrl) inputs.push_back(Key(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    Send(inputs);
}

void RightClickAt(HWND window, POINT clientPoint) {
    BringToFront(window);
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    std::vector<INPUT> inputs{Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)};
    Send(inputs);
}

void ClickCentre(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    ClickAt(window, POINT{client.right / 2, client.bottom / 2});
}

void PressKey(WORD virtualKey) {
    std::vector<INPUT> inputs{Key(virtualKey, 0, 0), Key(virtualKey, 0, KEYEVENTF_KEYUP)};
    Send(inputs);
}

void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(Key(key, 0, 0));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(Key(*key, 0, KEYEVENTF_KEYUP));
    Send(inputs);
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(inputs);
}

}  // namespace quillmark::uitest
