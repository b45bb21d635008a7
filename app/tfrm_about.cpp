#include "app/tfrm_about.h"

#include "app/application_title.h"
#include "app/guards.h"
#include "app/main_view.h"
#include "app/control_ids.h"
#include "app/web_pages.h"
#include "platform/shell.h"

namespace quillmark {

namespace {

namespace ids = control_ids;

constexpr AboutFormLayout kAboutForm{L"About Quillmark", 387, 195, 294, 235, Rgb(245, 250, 254), L"MS Sans Serif", 11};

// clang-format off
constexpr AboutControlLayout kAboutControls[] = {
// name      id                  button  caption                     left top  width height font bold   link
{L"Label1",  ids::kAboutLabel1,  false,  L"Brindle",                  51,  16,  0,    0,     13,  false, false},
{L"Label2",  ids::kAboutLabel2,  false,  L"Quillmark",                48,  40,  0,    0,     16,  true,  false},
{L"Label5",  ids::kAboutLabel5,  false,  kAboutVersionText,          51,  75,  0,    0,     13,  false, false},
{L"Label3",  ids::kAboutLabel3,  false,  L"Brindle Software",         52,  101, 0,    0,     13,  false, false},
{L"Label4",  ids::kAboutLabel4,  false,  nullptr,                     50,  119, 0,    0,     13,  false, true},
{L"Button1", ids::kAboutButton1, true,   L"&Ok",                      112, 148, 75,   25,    11,  false, false},
};
// clang-format on

}  // namespace

const AboutFormLayout& AboutLayout() noexcept { return kAboutForm; }
std::span<const AboutControlLayout> AboutControls() noexcept { return kAboutControls; }

std::wstring AboutCaption(const AboutControlLayout& control) {
    if (control.caption != nullptr) return control.caption;
    // Addresses are plain ASCII.
    const std::string address = WebPageAddress(WebPage::Home);
    return std::wstring(address.begin(), address.end());
}

// The page opening reports nothing either way. The window
// is in view, so the page is shown normally rather than hidden.
void TFrmAbout::OpenHomePage() {
    SwallowFailures([&] {
        if (!webPageRefusal_.empty()) return view_.Tell(webPageRefusal_);
        OpenWebPage(platform_, WebPage::Home, kSwShowNormal);
    });
}

// Hiding cannot fail in a way the user could act on.
void TFrmAbout::Dismiss() {
    SwallowFailures([&] { view_.Hide(); });
}

}  // namespace quillmark
