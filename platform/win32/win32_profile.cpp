#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_code_page.h"

namespace quillmark {

// The wide calls take the path as it is; the texts go in and come out through
// the ANSI code page. A file the W calls create holds ANSI text, as the A
// calls would have written it.
std::string Win32Profile::ReadString(const std::wstring& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::uint32_t bufferSize) {
    if (bufferSize == 0) return {};
    const Win32CodePage codePage;
    std::vector<wchar_t> buffer(bufferSize, L'\0');
    // The return value counts the characters copied, without the NUL, and is
    // bufferSize - 1 when the value had to be cut.
    const DWORD copied =
        GetPrivateProfileStringW(codePage.FromAnsi(section).c_str(), codePage.FromAnsi(key).c_str(),
                                 codePage.FromAnsi(defaultValue).c_str(), buffer.data(), bufferSize, file.c_str());
    std::string value = codePage.ToAnsi(std::wstring(buffer.data(), std::min<std::size_t>(copied, bufferSize - 1)));
    // A double-byte character counts twice here: the result still fits the buffer.
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

bool Win32Profile::WriteString(const std::wstring& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    const Win32CodePage codePage;
    if (WritePrivateProfileStringW(codePage.FromAnsi(section).c_str(), codePage.FromAnsi(key).c_str(),
                                   codePage.FromAnsi(value).c_str(), file.c_str()) == FALSE)
        return false;
    // Windows 9x and Wine may keep a profile cached; a flush with all-null
    // arguments makes the write reach the disk now.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    return true;
}

}  // namespace quillmark
