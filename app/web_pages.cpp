#include "app/web_pages.h"

#include "platform/platform.h"
#include "platform/shell.h"
#include "web_pages_config.h"

namespace quillmark {

std::string WebPageAddress(WebPage page) {
    switch (page) {
    case WebPage::Home: return QUILLMARK_HOME_PAGE;
    case WebPage::Product: return QUILLMARK_PRODUCT_PAGE;
    case WebPage::Purchase: return QUILLMARK_PURCHASE_PAGE;
    case WebPage::ThankYou: break;
    }
    return QUILLMARK_THANK_YOU_PAGE;
}

void OpenWebPage(const Platform& platform, WebPage page, int show) {
    platform.shell.ExecuteA(ShellOwner::None, "open", WebPageAddress(page), "", "", show);
}

}  // namespace quillmark
