// The main window's side of the launchers, the help menu and the About window.
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "platform/error.h"

namespace quillmark {

void TfrmRunWindow::PopUpHelpMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(popupMenu2_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(),
                   nullptr);
}

void TfrmRunWindow::ShowAboutWindow() {
    if (frmAbout_ == nullptr) throw Error(L"The About window is not available");
    if (frmAbout_->Handle() == nullptr) frmAbout_->Create(Handle());
    frmAbout_->ShowModal();
}

void TfrmRunWindow::SetWebsiteColour(std::uint32_t colour) {
    const HWND website = Find(L"website");
    labelColours_[website] = static_cast<COLORREF>(colour);
    InvalidateRect(website, nullptr, TRUE);
}

void TfrmRunWindow::OnSetCursor(HWND under) {
    const bool overWebsite = under != nullptr && under == Find(L"website");
    if (overWebsite == overWebsite_) return;
    overWebsite_ = overWebsite;
    logic_->Help().WebsiteHovered(overWebsite);
}

}  // namespace quillmark
