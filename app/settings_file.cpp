#include "app/settings_file.h"

#include <cstdint>

#include "platform/error.h"
#include "platform/profile.h"

namespace quillmark {

namespace {

int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits only, no sign. Up to 32 bits are taken as the bits of
// the integer, so "0xFFFFFFFF" is -1.
bool ParseHex(const std::string& digits, int& value) noexcept {
    if (digits.empty()) return false;
    std::uint64_t bits = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        bits = bits * 16 + static_cast<std::uint64_t>(digit);
        if (bits > 0xFFFFFFFFull) return false;
    }
    value = static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
    return true;
}

// An optional sign, then decimal digits, inside the 32-bit range.
bool ParseDecimal(const std::string& text, int& value) noexcept {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return false;
    value = static_cast<int>(signedValue);
    return true;
}

// Keys match without regard to ASCII letter case, as in the file.
std::string KeyOf(const std::string& key) {
    std::string folded = key;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

}  // namespace

int ParseSettingsInteger(const std::string& text, int defaultValue) noexcept {
    int value = 0;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const bool parsed = hex ? ParseHex(text.substr(2), value) : ParseDecimal(text, value);
    return parsed ? value : defaultValue;
}

SettingsFile::SettingsFile(PrivateProfile& profile, std::wstring path) : profile_(profile), path_(std::move(path)) {}

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) const {
    if (path_.empty()) {
        const auto found = inMemory_.find(KeyOf(key));
        return found == inMemory_.end() ? defaultValue : found->second;
    }
    return profile_.ReadString(path_, kSettingsSection, key, defaultValue, kSettingsTextBuffer);
}

int SettingsFile::ReadInteger(const std::string& key, int defaultValue) const {
    return ParseSettingsInteger(ReadString(key, std::string()), defaultValue);
}

bool SettingsFile::ReadBool(const std::string& key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

void SettingsFile::WriteString(const std::string& key, const std::string& value) {
    if (path_.empty()) {
        inMemory_[KeyOf(key)] = value;
        return;
    }
    if (!profile_.WriteString(path_, kSettingsSection, key, value)) {
        throw Error(FormatMessageText(L"Unable to write to %s", path_));
    }
}

void SettingsFile::WriteInteger(const std::string& key, int value) { WriteString(key, std::to_string(value)); }

void SettingsFile::WriteBool(const std::string& key, bool value) { WriteString(key, value ? "1" : "0"); }

}  // namespace quillmark
