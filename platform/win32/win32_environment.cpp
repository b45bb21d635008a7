#include "platform/win32/win32_environment.h"

#include <windows.h>

namespace quillmark {

std::uint32_t Win32Environment::GetVariable(const std::wstring& name, wchar_t* buffer, std::uint32_t size) {
    return GetEnvironmentVariableW(name.c_str(), buffer, size);
}

}  // namespace quillmark
