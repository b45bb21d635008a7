#include "tests/ui/support/settings_file.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>

namespace quillmark::uitest {

namespace {
constexpr wchar_t kSection[] = L"default";
// Never a value the program writes: tells "absent" from "empty".
constexpr wchar_t kAbsent[] = L"\x01<absent>";
}  // namespace

std::wstring DataFolder() {
    wchar_t documents[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents))) {
        throw std::runtime_error("the documents folder is unknown");
    }
    return std::wstring(documents) + L"\\Quillmark";
}

std::wstring SettingsFilePath() { return DataFolder() + L"\\default.ini"; }

bool SettingsFileExists() { return GetFileAttributesW(SettingsFilePath().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::wstring> ReadSetting(const std::wstring& key) {
    wchar_t value[2048] = L"";
    GetPrivateProfileStringW(kSection, key.c_str(), kAbsent, value, 2048, SettingsFilePath().c_str());
    if (std::wstring(value) == kAbsent) return std::nullopt;
    return std::wstring(value);
}

void WriteSetting(const std::wstring& key, const std::wstring& value) {
    SHCreateDirectoryExW(nullptr, DataFolder().c_str(), nullptr);
    if (!WritePrivateProfileStringW(kSection, key.c_str(), value.c_str(), SettingsFilePath().c_str())) {
        throw std::runtime_error("WritePrivateProfileStringW failed");
    }
}

void DeleteSettingsFile() {
    const std::wstring path = SettingsFilePath();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    if (SettingsFileExists()) throw std::runtime_error("the settings file could not be deleted");
}

SettingsFileGuard::SettingsFileGuard() : backupPath_(SettingsFilePath() + L".uitest-backup") {
    hadFile_ = SettingsFileExists();
    if (hadFile_ && !MoveFileExW(SettingsFilePath().c_str(), backupPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        throw std::runtime_error("the settings file could not be put aside");
    }
}

SettingsFileGuard::~SettingsFileGuard() {
    DeleteFileW(SettingsFilePath().c_str());
    if (hadFile_) MoveFileExW(backupPath_.c_str(), SettingsFilePath().c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace quillmark::uitest
