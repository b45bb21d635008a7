#pragma once
// The program's settings file as the tests see it: default.ini in the
// "Quillmark" folder of the user's documents folder, section "default".
#include <optional>
#include <string>

namespace quillmark::uitest {

std::wstring DataFolder();
std::wstring SettingsFilePath();
bool SettingsFileExists();

// The key's text, or nothing when the file or the key is absent.
std::optional<std::wstring> ReadSetting(const std::wstring& key);
void WriteSetting(const std::wstring& key, const std::wstring& value);
void DeleteSettingsFile();

// Puts an existing settings file aside for the length of a test and brings
// it back afterwards, so a test may delete or rewrite it freely.
class SettingsFileGuard {
public:
    SettingsFileGuard();
    SettingsFileGuard(const SettingsFileGuard&) = delete;
    SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;
    ~SettingsFileGuard();

private:
    std::wstring backupPath_;
    bool hadFile_ = false;
};

}  // namespace quillmark::uitest
