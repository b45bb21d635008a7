#include "tests/ui/support/wine_settings.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/handles.h"
#include "tests/support/win32/running_under_wine.h"

namespace quillmark::uitest {

namespace {

using test_support::RunningUnderWine;

bool SetValue(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value, bool replace) {
    if (!RunningUnderWine()) return false;
    UniqueHkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    if (!replace && RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        return true;
    }
    return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void SetUnlessPresent(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    SetValue(keyPath, name, value, false);
}

std::wstring WebPageLogPath() {
    wchar_t folder[MAX_PATH + 1] = L"";
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(folder) + L"quillmark-web-pages.txt";
}

// The Unix name Wine gives a Windows path (kernel32's wine_get_unix_file_name).
std::wstring UnixPathOf(const std::wstring& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto function = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = function == nullptr ? nullptr : function(path.c_str());
    if (unixPath == nullptr) return {};
    std::wstring wide;
    for (const char* c = unixPath; *c != 0; ++c) wide.push_back(static_cast<unsigned char>(*c));
    HeapFree(GetProcessHeap(), 0, unixPath);
    return wide;
}

}  // namespace

void UseMetricCompatibleFontsUnderWine() {
    SetUnlessPresent(L"Software\\Wine\\Fonts\\Replacements", L"Times New Roman", L"Liberation Serif");
}

void KeepWebPagesClosedUnderWine() { SetUnlessPresent(L"Software\\Wine\\WineBrowser", L"Browsers", L"true"); }

bool RecordWebPagesUnderWine() {
    if (!RunningUnderWine()) return false;
    const std::wstring log = WebPageLogPath();
    DeleteFileW(log.c_str());
    const std::wstring unixLog = UnixPathOf(log);
    // The bridge splits the setting at commas, parses each entry as a command
    // line, appends the address as the last argument ($0 of the script) and
    // reads at most 255 characters.
    if (unixLog.empty() || unixLog.find_first_of(L",'\"") != std::wstring::npos) return false;
    const std::wstring command = L"/bin/sh -c \"printf '%s\\n' \\\"$0\\\" >> '" + unixLog + L"'\"";
    if (command.size() > 255) return false;
    return SetValue(L"Software\\Wine\\WineBrowser", L"Browsers", command, true);
}

std::vector<std::wstring> RecordedWebPages() {
    std::vector<std::wstring> pages;
    std::ifstream log{std::filesystem::path(WebPageLogPath())};
    for (std::string line; std::getline(log, line);) pages.emplace_back(line.begin(), line.end());
    return pages;
}

}  // namespace quillmark::uitest
