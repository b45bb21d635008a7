// The code page conversions and letter-case mapping of the stand-in, which
// the native suite trusts to behave as Windows-1252 does. The input is read
// once as ANSI bytes and once as UTF-16 text.
#include <cstddef>
#include <cstdint>

#include "tests/stand_ins/windows1252_code_page.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    const Windows1252CodePage codePage;
    const std::string bytes(fuzz::BytesOf(data, size));
    const std::wstring text = fuzz::WideFromBytes(bytes);

    const std::wstring fromAnsi = codePage.FromAnsi(bytes);
    Require(fromAnsi.size() == bytes.size(), "one character per byte");
    Require(codePage.ToAnsi(fromAnsi) == bytes, "every byte of the code page comes back as itself");

    const std::string ansi = codePage.ToAnsi(text);
    Require(ansi.size() == text.size(), "one byte per UTF-16 unit, a surrogate pair giving two");
    const std::wstring roundTrip = codePage.RoundTrip(text);
    Require(codePage.RoundTrip(roundTrip) == roundTrip, "a text back from ANSI survives another trip");
    for (std::size_t i = 0; i < text.size(); ++i) {
        Require(roundTrip[i] == text[i] || text[i] >= 0x80, "ASCII survives the trip");
    }

    const std::wstring upper = codePage.Upper(text);
    const std::wstring lower = codePage.Lower(text);
    Require(upper.size() == text.size() && lower.size() == text.size(), "case mapping keeps the length");
    Require(codePage.Upper(upper) == upper && codePage.Lower(lower) == lower, "case mapping twice changes nothing");
    Require(codePage.Upper(lower) == upper, "a text and its lower case compare equal without regard to case");
    return 0;
}
