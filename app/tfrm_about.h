#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "platform/platform.h"

namespace quillmark {

// One control of the About window, in layout pixels (96 DPI) relative to its
// client area. Labels size themselves to their text: width and height 0.
struct AboutControlLayout {
    const wchar_t* name;
    int id;                  // child-window identifier (app/control_ids.h)
    bool button;             // false: a label
    const wchar_t* caption;  // null: the home page's address
    int left;
    int top;
    int width;
    int height;
    int fontHeight;  // character height in pixels
    bool bold;
    bool link;  // blue, underlined, transparent; a click runs OpenHomePage
};

struct AboutFormLayout {
    const wchar_t* caption;
    int left;
    int top;
    int outerWidth;
    int outerHeight;
    std::uint32_t background;
    const wchar_t* fontName;
    int fontHeight;
};

const AboutFormLayout& AboutLayout() noexcept;
std::span<const AboutControlLayout> AboutControls() noexcept;
// A control's caption; the address label shows the home page's address.
std::wstring AboutCaption(const AboutControlLayout& control);

// The About window as its two handlers see it.
class AboutView {
public:
    virtual ~AboutView() = default;
    // Hides the window, which ends its modal display; it is shown again next time.
    virtual void Hide() = 0;
    // A modal information box over the window.
    virtual void Tell(const std::wstring& text) = 0;
};

// `FrmAbout`'s behaviour, independent of any widget.
class TFrmAbout {
public:
    // `webPageRefusal`: when not empty, the address label says this instead
    // of opening the page (an instance elevated under another account).
    TFrmAbout(AboutView& view, Platform platform, std::wstring webPageRefusal = {})
        : view_(view), platform_(platform), webPageRefusal_(std::move(webPageRefusal)) {}

    // The address label: opens the vendor's home page, shown normally.
    void OpenHomePage();
    // "&Ok".
    void Dismiss();

private:
    AboutView& view_;
    Platform platform_;
    std::wstring webPageRefusal_;
};

}  // namespace quillmark
