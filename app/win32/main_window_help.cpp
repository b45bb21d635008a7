// The main window's side of the launchers, the help menu and the About window.
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "platform/error.h"

namespace quillmark {

void TfrmRunWindow::PopUpHelpMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(helpMenu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(),
                   nullptr);
}

void TfrmRunWindow::ShowAboutWindow() {
    if (frmAbout_ == nullptr) throw Error(L"The About window is not available");
    if (frmAbout_->Handle() == nullptr) frmAbout_->Create(Handle());
    frmAbout_->ShowModal();
}

void TfrmRunWindow::SetWebsiteColour(std::uint32_t colour) {
    const HWND link = Control(Role::WebsiteLink);
    labelColours_[link] = static_cast<COLORREF>(colour);
    InvalidateRect(link, nullptr, TRUE);
}

void TfrmRunWindow::OnSetCursor(HWND under) {
    const bool overWebsite = under != nullptr && under == Control(Role::WebsiteLink);
    if (overWebsite == overWebsite_) return;
    overWebsite_ = overWebsite;
    logic_->Help().WebsiteHovered(overWebsite);
}

}  // namespace quillmark
