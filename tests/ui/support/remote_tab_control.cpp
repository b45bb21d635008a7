#include "tests/ui/support/remote_tab_control.h"

#include <commctrl.h>

#include <stdexcept>

#include "tests/ui/support/remote_window.h"

namespace quillmark::uitest {

RemoteTabControl::RemoteTabControl(HWND tabs)
    : tabs_(tabs), process_(OpenWindowProcess(tabs)), buffer_(process_.get(), sizeof(RECT)) {}

int RemoteTabControl::SelectedIndex() const { return static_cast<int>(SendRemote(tabs_, TCM_GETCURSEL)); }

int RemoteTabControl::TabCount() const { return static_cast<int>(SendRemote(tabs_, TCM_GETITEMCOUNT)); }

RECT RemoteTabControl::TabRect(int index) const {
    RECT rect{-1, -1, -1, -1};
    buffer_.Write(0, &rect, sizeof(rect));
    if (!SendRemote(tabs_, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer_.Address()))) {
        throw std::runtime_error("the tab control has no such tab");
    }
    buffer_.Read(0, &rect, sizeof(rect));
    return rect;
}

void RemoteTabControl::ClickTab(int index) const {
    const RECT rect = TabRect(index);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // Sent, not posted: the tab change and the load it triggers have finished
    // when this returns.
    SendRemote(tabs_, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendRemote(tabs_, WM_LBUTTONUP, 0, point);
}

}  // namespace quillmark::uitest
