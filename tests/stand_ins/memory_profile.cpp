#include "tests/stand_ins/memory_profile.h"

#include <algorithm>

namespace quillmark {

namespace {

// What GetPrivateProfileString hands back of a stored value: surrounding
// blanks and tabs go, then one pair of matching enclosing quotes.
std::string AsRead(const std::string& stored) {
    const auto first = stored.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = stored.find_last_not_of(" \t");
    std::string value = stored.substr(first, last - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string MemoryProfile::Fold(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

std::wstring MemoryProfile::Fold(const std::wstring& text) {
    std::wstring folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; });
    return folded;
}

const std::string* MemoryProfile::Find(const std::wstring& file, const std::string& section,
                                       const std::string& key) const {
    const auto fileIt = files_.find(Fold(file));
    if (fileIt == files_.end()) return nullptr;
    const auto sectionIt = fileIt->second.find(Fold(section));
    if (sectionIt == fileIt->second.end()) return nullptr;
    const auto keyIt = sectionIt->second.find(Fold(key));
    return keyIt == sectionIt->second.end() ? nullptr : &keyIt->second;
}

std::string MemoryProfile::ReadString(const std::wstring& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::uint32_t bufferSize) {
    if (bufferSize == 0) return {};
    const std::string* stored = Find(file, section, key);
    std::string value = stored != nullptr ? AsRead(*stored) : AsRead(defaultValue);
    // The buffer keeps room for the terminating NUL.
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

bool MemoryProfile::WriteString(const std::wstring& file, const std::string& section, const std::string& key,
                                const std::string& value) {
    if (unwritable_.count(Fold(file)) != 0) return false;
    files_[Fold(file)][Fold(section)][Fold(key)] = value;
    ++writeCount_;
    return true;
}

void MemoryProfile::MakeUnwritable(const std::wstring& file) { unwritable_.insert(Fold(file)); }

bool MemoryProfile::FileExists(const std::wstring& file) const { return files_.count(Fold(file)) != 0; }

std::string MemoryProfile::RawValue(const std::wstring& file, const std::string& section,
                                    const std::string& key) const {
    const std::string* stored = Find(file, section, key);
    return stored != nullptr ? *stored : std::string();
}

}  // namespace quillmark
