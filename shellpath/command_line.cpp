#include "shellpath/command_line.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/environment.h"
#include "platform/platform.h"
#include "shellpath/path_text.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

namespace {

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        if (c != prefix[i]) return false;
    }
    return true;
}

// Where an unquoted command line's program ends: just past the first blank
// that follows one of the extensions Windows runs as a program. CreateProcess
// tries the line's blank-separated prefixes in turn, so "notepad.exe
// C:\notes.txt" starts notepad.exe, whatever "." the arguments hold.
std::wstring::size_type ProgramEnd(const std::wstring& line) {
    static constexpr const wchar_t* kProgramExtensions[] = {L".exe ", L".com ", L".bat ", L".cmd "};
    std::wstring folded = line;
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    auto end = std::wstring::npos;
    for (const wchar_t* extension : kProgramExtensions) {
        const auto at = folded.find(extension);
        if (at != std::wstring::npos) end = std::min(end, at + std::wcslen(extension));
    }
    return end;
}

}  // namespace

std::wstring ProgramPathFromCommand(const Platform& platform, const std::wstring& location) {
    // Tested on the untrimmed text: a blank in front means no web address.
    if (StartsWithNoCase(location, L"http:") || StartsWithNoCase(location, L"https:")) return location;
    return StripArguments(ExpandFirstEnvVar(platform, location));
}

std::wstring ExpandFirstEnvVar(const Platform& platform, const std::wstring& text) {
    if (Trim(text).empty()) return text;
    const auto first = text.find(L'%');
    if (first == std::wstring::npos) return text;
    const std::wstring rest = text.substr(first + 1);
    const auto second = rest.find(L'%');
    if (second == std::wstring::npos) return text;
    // The wide call: a name or value outside the ANSI code page stays whole.
    // The value is the one the 64-bit shell that starts the entry would use.
    const std::wstring value = ReadEnvVar(platform, EntryVariableName(platform, rest.substr(0, second)));
    if (value.empty()) return text;
    // Only the first reference; the value itself is not scanned again.
    return text.substr(0, first) + value + rest.substr(second + 1);
}

std::wstring ReadEnvVar(const Platform& platform, const std::wstring& name) {
    // The first call, with no buffer, answers the size needed with the terminator.
    const std::uint32_t size = platform.environment.GetVariable(name, nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> buffer(size, L'\0');
    const std::uint32_t copied = platform.environment.GetVariable(name, buffer.data(), size);
    // The variable may have changed in between: gone (0) or grown (a size
    // again, not a length). Either way there is no value to trust.
    if (copied == 0 || copied >= size) return {};
    return std::wstring(buffer.data(), copied);
}

std::wstring StripLeadingQuoted(const std::wstring& text) {
    if (text.empty() || text.front() != L'"') return text;
    // Cut on the UTF-16 text: through the ANSI code page a folder named with
    // a Polish L-stroke, Cyrillic or Chinese would become another (or a
    // missing) file, and a fullwidth quotation mark, best-fitted to '"',
    // would cut the path short.
    const auto closing = text.find(L'"', 1);
    // An unterminated quote gives nothing rather than the rest of the line.
    if (closing == std::wstring::npos) return {};
    return text.substr(1, closing - 1);
}

std::wstring StripArguments(const std::wstring& commandLine) {
    const std::wstring s = StripLeadingQuoted(commandLine);
    // An unquoted line is cut after its program, the blank kept as below.
    if (commandLine.empty() || commandLine.front() != L'"') {
        if (const auto end = ProgramEnd(s); end != std::wstring::npos) return Trim(s.substr(0, end - 1)) + L" ";
    }
    std::wstring base = Trim(RemoveFileExt(s));
    // The extension starts at the last "." of the whole line, which may lie
    // inside an argument; the cuts below only ever shorten it.
    std::wstring ext = Trim(ExtractFileExt(s));
    if (base.empty() || ext.empty()) return s;
    // A quoted program after leading blanks escaped StripLeadingQuoted.
    if (base.front() == L'"') base.erase(0, 1);
    for (const wchar_t cut : std::wstring(L"\"/\\:*?<>|")) {
        const auto at = ext.find(cut);
        if (at != std::wstring::npos) ext.resize(at);
    }
    // The blank itself stays: "app.exe -x" gives "app.exe ".
    const auto blank = ext.find(L' ');
    if (blank != std::wstring::npos) ext.resize(blank + 1);
    return base + ext;
}

std::wstring RemoveFileExt(const std::wstring& text) {
    const auto delimiter = text.find_last_of(L".\\:");
    if (delimiter == std::wstring::npos || text[delimiter] != L'.') return text;
    return text.substr(0, delimiter);
}

}  // namespace quillmark
