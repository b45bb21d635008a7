#include "platform/error.h"

namespace quillmark {

namespace {
// what() is for debuggers and test output only: a plain ASCII rendering.
std::string AsciiOf(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}
}  // namespace

Error::Error(std::wstring message, bool accessDenied)
    : std::runtime_error(AsciiOf(message)), message_(std::move(message)), accessDenied_(accessDenied) {}

std::wstring FormatMessageText(const std::wstring& messageTemplate, const std::wstring& argument) {
    std::wstring out = messageTemplate;
    const auto at = out.find(L"%s");
    if (at != std::wstring::npos) out.replace(at, 2, argument);
    return out;
}

}  // namespace quillmark
