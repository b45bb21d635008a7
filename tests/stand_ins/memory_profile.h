#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/profile.h"

namespace quillmark {

// Private-profile stand-in: files held in memory, matched like Windows does
// (file names, sections and keys without regard to ASCII letter case).
class MemoryProfile final : public PrivateProfile {
public:
    std::string ReadString(const std::wstring& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::uint32_t bufferSize) override;
    bool WriteString(const std::wstring& file, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Every later write to this file fails, as on a read-only file or folder.
    void MakeUnwritable(const std::wstring& file);
    bool FileExists(const std::wstring& file) const;
    int FileCount() const noexcept { return static_cast<int>(files_.size()); }
    // The value exactly as written; empty when absent.
    std::string RawValue(const std::wstring& file, const std::string& section, const std::string& key) const;
    int WriteCount() const noexcept { return writeCount_; }

private:
    using Section = std::map<std::string, std::string>;  // folded key -> value
    using File = std::map<std::string, Section>;         // folded section -> keys
    static std::string Fold(const std::string& text);
    static std::wstring Fold(const std::wstring& text);
    const std::string* Find(const std::wstring& file, const std::string& section, const std::string& key) const;

    std::map<std::wstring, File> files_;
    std::set<std::wstring> unwritable_;
    int writeCount_ = 0;
};

}  // namespace quillmark
