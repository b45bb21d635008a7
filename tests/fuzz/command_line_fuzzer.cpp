// Command line to program path, with the environment taken from the input:
// every line but the last is NAME=VALUE, the last line is the location, all
// read as text. SystemRoot and ProgramFiles are set first, as in the tests.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "tests/stand_ins/portable_platform.h"
#include "shellpath/command_line.h"
#include "tests/fuzz/fuzz_input.h"

namespace quillmark {
namespace {

bool BeginsWithWebScheme(const std::wstring& text) {
    std::wstring head = text.substr(0, 6);
    for (wchar_t& c : head) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c | 0x20) : c;
    return head.starts_with(L"http:") || head.starts_with(L"https:");
}

// What survives of the extension once the arguments are cut: none of the
// nine characters a path part cannot hold, a blank only as the last one.
bool IsCutExtension(const std::wstring& tail) {
    if (tail.find_first_of(L"\"/\\:*?<>|") != std::wstring::npos) return false;
    const auto blank = tail.find(L' ');
    return blank == std::wstring::npos || blank + 1 == tail.size();
}

}  // namespace
}  // namespace quillmark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    PortablePlatform world;
    world.environment().Set(L"SystemRoot", L"C:\\WINDOWS");
    world.environment().Set(L"ProgramFiles", L"C:\\Program Files");
    std::size_t longestValue = 16;
    const auto lines = fuzz::SplitAt(fuzz::BytesOf(data, size), '\n');
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::wstring line = fuzz::WideFromBytes(lines[i]);
        const auto equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        world.environment().Set(line.substr(0, equals), line.substr(equals + 1));
        longestValue = std::max(longestValue, line.size() - equals - 1);
    }
    const std::wstring location = fuzz::WideFromBytes(lines.back());
    const Platform platform = world.View();

    const std::wstring program = ProgramPathFromCommand(platform, location);
    if (BeginsWithWebScheme(location)) {
        Require(program == location, "a web address passes through unchanged");
        return 0;
    }
    Require(program.size() <= location.size() + longestValue, "at most one variable's value is added");

    const std::wstring expanded = ExpandFirstEnvVar(platform, location);
    if (location.find(L'%') == std::wstring::npos) Require(expanded == location, "no reference, no change");
    const std::wstring unquoted = StripLeadingQuoted(expanded);
    if (!expanded.starts_with(L'"')) Require(unquoted == expanded, "only a leading quote is taken apart");
    else Require(unquoted.size() < expanded.size() && unquoted.find(L'"') == std::wstring::npos,
                 "the quoted part ends before the next quote");
    Require(program.size() <= unquoted.size(), "cutting the arguments never lengthens the text");
    if (program != unquoted) {
        const auto dot = program.rfind(L'.');
        Require(dot != std::wstring::npos && IsCutExtension(program.substr(dot + 1)),
                "a cut command line ends in a clean extension");
    }
    return 0;
}
