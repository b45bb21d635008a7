#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <climits>

namespace quillmark {

namespace {

// The conversion calls take int lengths; longer text is cut at that length
// rather than wrapped into a negative count.
int LengthOf(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::string Win32CodePage::ToAnsi(const std::wstring& text) const {
    if (text.empty()) return {};
    // Default flags: best-fit characters allowed, "?" for the rest.
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), LengthOf(text.size()), nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text.data(), LengthOf(text.size()), out.data(), needed, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::wstring Win32CodePage::FromAnsi(const std::string& text) const {
    if (text.empty()) return {};
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), LengthOf(text.size()), nullptr, 0);
    if (needed <= 0) return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), LengthOf(text.size()), out.data(), needed);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::wstring Win32CodePage::Upper(const std::wstring& text) const {
    std::wstring out = text;
    if (!out.empty()) CharUpperBuffW(out.data(), static_cast<DWORD>(LengthOf(out.size())));
    return out;
}

std::wstring Win32CodePage::Lower(const std::wstring& text) const {
    std::wstring out = text;
    if (!out.empty()) CharLowerBuffW(out.data(), static_cast<DWORD>(LengthOf(out.size())));
    return out;
}

}  // namespace quillmark
