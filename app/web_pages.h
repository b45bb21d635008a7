#pragma once
#include <string>

namespace quillmark {

struct Platform;

// The vendor's pages that Quillmark opens.
enum class WebPage { Home, Product, Purchase, ThankYou };

// The page's address, as chosen when Quillmark was built.
std::string WebPageAddress(WebPage page);

// Hands the address to the shell (ShellExecuteA "open", no owner window);
// whether a browser came up is not examined.
void OpenWebPage(const Platform& platform, WebPage page, int show);

}  // namespace quillmark
