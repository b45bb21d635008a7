// The "&Help" button with its menu, and the other ways to the vendor's pages.
#include "app/guards.h"
#include "app/tfrm_run.h"
#include "app/web_pages.h"
#include "platform/shell.h"

namespace quillmark {

namespace {

constexpr std::uint32_t kWebsiteHoverColour = Rgb(0, 128, 0);
constexpr std::uint32_t kWebsiteColour = Rgb(0, 0, 255);

}  // namespace

// Guard: the default error box.
void TfrmRun::Button5Click() {
    WithDefaultErrorBox(view_, [&] { view_.PopUpHelpMenu(); });
}

// Guard: the default error box. The About window is modal: this returns once it is hidden.
void TfrmRun::About1Click() {
    WithDefaultErrorBox(view_, [&] { view_.ShowAboutWindow(); });
}

// Guard: the default error box.
void TfrmRun::HelpDocumentation1Click() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(services_.platform, WebPage::Product, kSwShowNormal); });
}

// Guard: the default error box.
void TfrmRun::HomePage1Click() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(services_.platform, WebPage::Product, kSwShowNormal); });
}

// Guard: the default error box.
void TfrmRun::SpeedButton4Click() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(services_.platform, WebPage::Purchase, kSwShowNormal); });
}

// Guard: the default error box.
void TfrmRun::websiteClick() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(services_.platform, WebPage::Home, kSwShowNormal); });
}

// Guard: swallow; a colour that cannot be set leaves the label as it was.
void TfrmRun::websiteMouseEnter() {
    SwallowFailures([&] { view_.SetWebsiteColour(kWebsiteHoverColour); });
}

// Guard: swallow.
void TfrmRun::websiteMouseLeave() {
    SwallowFailures([&] { view_.SetWebsiteColour(kWebsiteColour); });
}

}  // namespace quillmark
