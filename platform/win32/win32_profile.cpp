#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace quillmark {

std::string Win32Profile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::uint32_t bufferSize) {
    if (bufferSize == 0) return {};
    std::vector<char> buffer(bufferSize, '\0');
    // The return value counts the characters copied, without the NUL, and is
    // bufferSize - 1 when the value had to be cut.
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                  bufferSize, file.c_str());
    return std::string(buffer.data(), std::min<std::size_t>(copied, bufferSize - 1));
}

bool Win32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) == FALSE) return false;
    // Windows 9x and Wine may keep a profile cached; a flush with all-null
    // arguments makes the write reach the disk now.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return true;
}

}  // namespace quillmark
