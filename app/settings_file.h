#pragma once
#include <map>
#include <string>

namespace quillmark {

class PrivateProfile;

// The settings file's one section and its keys.
inline const char kSettingsSection[] = "default";
inline const char kKeyDefaultFilePath[] = "defaultFilePath";
inline const char kKeySelectedTab[] = "PageControl1";  // the stored key keeps the tab strip's design name
inline const char kKeyNeedSendToDesk[] = "needsendtodesk";
// Text values are read into a buffer of this many characters.
inline constexpr unsigned kSettingsTextBuffer = 2048;

// Reads an integer the way the settings file stores one: decimal, or
// hexadecimal after "0x"/"0X" when the text is longer than two characters.
// Anything else, or a number outside the 32-bit range, gives `defaultValue`.
int ParseSettingsInteger(const std::string& text, int defaultValue) noexcept;

// `SettingsFile`: default.ini, read and written through the private-profile
// calls, its texts in the ANSI code page. Creating it neither reads nor
// creates the file; each write goes to the file at once. Without a path (no
// folder to keep it in) the settings live in memory for this run only: reads
// give what was written since, or the default, and writes never fail.
class SettingsFile {
public:
    SettingsFile(PrivateProfile& profile, std::wstring path);

    const std::wstring& Path() const noexcept { return path_; }

    std::string ReadString(const std::string& key, const std::string& defaultValue) const;
    int ReadInteger(const std::string& key, int defaultValue) const;
    // Booleans are integers: non-zero is true.
    bool ReadBool(const std::string& key, bool defaultValue) const;

    // Each throws Error "Unable to write to %s" (the file's path) when the
    // write fails.
    void WriteString(const std::string& key, const std::string& value);
    void WriteInteger(const std::string& key, int value);
    void WriteBool(const std::string& key, bool value);

private:
    PrivateProfile& profile_;
    std::wstring path_;
    std::map<std::string, std::string> inMemory_;  // by upper-cased key, when there is no path
};

}  // namespace quillmark
