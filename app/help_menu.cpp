#include "app/help_menu.h"

#include "app/guards.h"
#include "app/web_pages.h"
#include "platform/shell.h"

namespace quillmark {

namespace {

constexpr std::uint32_t kWebsiteHoverColour = Rgb(0, 128, 0);
constexpr std::uint32_t kWebsiteColour = Rgb(0, 0, 255);

}  // namespace

void HelpMenu::ShowHelpMenu() {
    WithDefaultErrorBox(view_, [&] { view_.PopUpHelpMenu(); });
}

void HelpMenu::ShowAbout() {
    WithDefaultErrorBox(view_, [&] { view_.ShowAboutWindow(); });
}

void HelpMenu::OpenHelpPage() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(platform_, WebPage::Product, kSwShowNormal); });
}

void HelpMenu::OpenUpgradePage() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(platform_, WebPage::Purchase, kSwShowNormal); });
}

void HelpMenu::OpenHomePage() {
    WithDefaultErrorBox(view_, [&] { OpenWebPage(platform_, WebPage::Home, kSwShowNormal); });
}

// A colour that cannot be set leaves the label as it was.
void HelpMenu::WebsiteHovered(bool over) {
    SwallowFailures([&] { view_.SetWebsiteColour(over ? kWebsiteHoverColour : kWebsiteColour); });
}

}  // namespace quillmark
