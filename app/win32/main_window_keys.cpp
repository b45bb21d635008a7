// TfrmRunWindow's keyboard: the Tab cycle, the window's own keys, the access
// keys of the flat buttons and the menus asked for by mouse or keyboard.
#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/tab_order.h"
#include "app/window_keys.h"

namespace quillmark {

namespace {

bool Held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool IsKeyDown(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }
bool IsKeyUp(UINT message) { return message == WM_KEYUP || message == WM_SYSKEYUP; }

// Shift+F10 and the menu key ask for the focused control's context menu.
bool AsksForContextMenu(const MSG& message) {
    return message.wParam == VK_APPS || (message.wParam == VK_F10 && Held(VK_SHIFT));
}

}  // namespace

const TfrmRunWindow::Component* TfrmRunWindow::ComponentOwning(HWND hwnd) const {
    // A combo's focus sits in its edit child: walk up to the control the layout knows.
    for (; hwnd != nullptr && hwnd != Handle(); hwnd = GetParent(hwnd)) {
        for (const Component& component : components_) {
            if (component.hwnd == hwnd) return &component;
        }
    }
    return nullptr;
}

HWND TfrmRunWindow::ListContaining(HWND hwnd) const {
    for (const Role role : {Role::CurrentUserList, Role::AllUsersList}) {
        const HWND list = Control(role);
        if (list != nullptr && (hwnd == list || IsChild(list, hwnd))) return list;
    }
    return nullptr;
}

FocusPlace TfrmRunWindow::PlaceOfFocus() const {
    const HWND focus = GetFocus();
    if (ListContaining(focus) != nullptr) return FocusPlace::List;
    const HWND panel = Control(Role::AddPanel);
    if (panel != nullptr && IsChild(panel, focus)) return FocusPlace::AddPanel;
    return FocusPlace::Elsewhere;
}

void TfrmRunWindow::MoveFocusByTab(bool backwards) {
    const Component* current = ComponentOwning(GetFocus());
    const ComponentLayout* next =
        NextTabStop(current != nullptr ? current->layout : nullptr, backwards, [this](const ComponentLayout& layout) {
            const HWND hwnd = Control(layout.role);
            return hwnd != nullptr && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
        });
    if (next == nullptr) return;
    // The keyboard is in use: from now on the focus is shown, as Windows
    // does in a dialog once Tab has been pressed.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(Control(next->role));
}

bool TfrmRunWindow::OnAccessKey(wchar_t key) {
    for (const auto& button : buttons_) {
        if (button->AccessKey() == key && IsWindowVisible(button->Handle()) && IsWindowEnabled(button->Handle())) {
            button->Click();
            return true;
        }
    }
    return false;
}

bool TfrmRunWindow::PreTranslate(MSG& message) {
    if (Handle() == nullptr || (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))) return false;
    if (message.message == WM_SYSCHAR) {
        return OnAccessKey(UpperKey(static_cast<wchar_t>(message.wParam)));
    }
    if (AsksForContextMenu(message) && (IsKeyDown(message.message) || IsKeyUp(message.message))) {
        // Taken on the way down; the release is swallowed so that
        // DefWindowProc does not raise the menu a second time.
        if (IsKeyDown(message.message)) OnContextMenu(GetFocus(), -1);
        return true;
    }
    if (message.message != WM_KEYDOWN) return false;
    const KeyStroke stroke{static_cast<int>(message.wParam), Held(VK_CONTROL), Held(VK_SHIFT)};
    const Command command = WindowKeyCommand(stroke, PlaceOfFocus());
    if (command != Command::None) {
        logic_->Execute(command);
        return true;
    }
    if (message.wParam == VK_TAB && !stroke.ctrl) {
        MoveFocusByTab(stroke.shift);
        return true;
    }
    return false;
}

POINT TfrmRunWindow::MenuPointForKeyboard(HWND focus) const {
    POINT at{0, 0};
    if (const HWND list = ListContaining(focus)) {
        int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
        if (row < 0) row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        RECT item{};
        if (row >= 0 && ListView_GetItemRect(list, row, &item, LVIR_LABEL)) at = POINT{item.left, item.bottom};
        ClientToScreen(list, &at);
        return at;
    }
    if (focus != nullptr) ClientToScreen(focus, &at);
    return at;
}

void TfrmRunWindow::OnContextMenu(HWND source, LPARAM position) {
    const bool fromKeyboard = position == -1;
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    // The lists have the entry menu; everything else the help menu. Wine's
    // DefWindowProc passes the message up with the forwarding window (a
    // list's page) instead of the list, so the window under the click
    // decides, or for the keyboard the focus.
    HWND origin = source;
    if (fromKeyboard) {
        origin = GetFocus();
        at = MenuPointForKeyboard(origin);
    } else if (ListContaining(source) == nullptr) {
        origin = WindowFromPoint(at);
    }
    const bool list = ListContaining(origin) != nullptr;
    TrackPopupMenu(list ? rowMenu_.get() : helpMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   Handle(), nullptr);
}

}  // namespace quillmark
