#pragma once
#include "app/main_view.h"
#include "platform/platform.h"

namespace quillmark {

// The "&Help" button with its menu, the About window and the other ways to
// the vendor's pages.
class HelpMenu {
public:
    HelpMenu(MainView& view, Platform platform) : view_(view), platform_(platform) {}

    // Pops the help menu up at the mouse.
    void ShowHelpMenu();
    // The About window is modal: this returns once it is hidden.
    void ShowAbout();
    // The product page: "Quillmark Help" and the hidden "Home Page" item.
    void OpenHelpPage();
    // "&Upgrade Now!": the purchase page.
    void OpenUpgradePage();
    // The vendor's link: its home page.
    void OpenHomePage();
    // The mouse moved onto the vendor's link (true) or off it.
    void WebsiteHovered(bool over);

private:
    MainView& view_;
    Platform platform_;
};

}  // namespace quillmark
