// The settings file's integer and boolean reading, on any stored text.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "app/settings_file.h"
#include "tests/stand_ins/memory_profile.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The number a text stands for, worked out apart from the reader: at most
// ten significant decimal digits inside the 32-bit range, or at most eight
// hexadecimal ones taken as the 32 bits.
std::optional<int> NumberOf(std::string_view text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::string_view digits = hex ? text.substr(2) : text;
    bool negative = false;
    if (!hex && !digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    const std::string_view allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string_view::npos) return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > (hex ? 8u : 10u)) return std::nullopt;
    std::int64_t magnitude = 0;
    if (!digits.empty()) std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, hex ? 16 : 10);
    if (hex) return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    const std::string stored(fuzz::BytesOf(data, size));
    const int sentinel = -1234567;

    const std::optional<int> expected = NumberOf(stored);
    Require(ParseSettingsInteger(stored, sentinel) == expected.value_or(sentinel),
            "an integer is read exactly or not at all");
    Require(ParseSettingsInteger(stored, 0) == expected.value_or(0), "the default stands in for no number");

    MemoryProfile profile;
    SettingsFile settings(profile, L"C:\\Data\\default.ini");
    profile.WriteString(settings.Path(), kSettingsSection, kKeySelectedTab, stored);
    const std::string read = settings.ReadString(kKeySelectedTab, std::string());
    Require(read.size() < kSettingsTextBuffer, "a text read fits the buffer");
    const std::optional<int> number = NumberOf(read);
    Require(settings.ReadInteger(kKeySelectedTab, sentinel) == number.value_or(sentinel),
            "the file's integer is the number its text stands for");
    Require(settings.ReadBool(kKeySelectedTab, false) == (number.value_or(0) != 0) &&
                settings.ReadBool(kKeySelectedTab, true) == (number.value_or(1) != 0),
            "a boolean is a non-zero number, else its default");
    return 0;
}
