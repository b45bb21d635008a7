#include <cwctype>

#include "inventory/reg_file.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace quillmark {

namespace {

[[noreturn]] void NotARegFile(const std::wstring& why) {
    throw Error(L"The removal record is not a registry file Quillmark can read: " + why + L".");
}

std::wstring DecodeUtf16(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0)
        NotARegFile(L"it is not UTF-16 text");
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2) text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Reads a quoted text at `at` (which holds the opening quote), undoing the
// two escapes regedit writes and the three of Quillmark's own; `at` moves
// past the closing quote.
std::wstring Quoted(const std::wstring& line, std::size_t& at) {
    std::wstring text;
    for (++at; at < line.size(); ++at) {
        const wchar_t c = line[at];
        if (c == L'"') {
            ++at;
            return text;
        }
        const wchar_t next = at + 1 < line.size() ? line[at + 1] : L'\0';
        if (c == L'\\' && (next == L'n' || next == L'r' || next == L'0')) {
            text.push_back(next == L'n' ? L'\n' : next == L'r' ? L'\r' : L'\0');
            ++at;
            continue;
        }
        if (c == L'\\' && (next == L'\\' || next == L'"')) ++at;
        text.push_back(line[at]);
    }
    NotARegFile(L"a quoted text has no end");
}

unsigned HexNumber(const std::wstring& digits) {
    if (digits.empty() || digits.size() > 8) NotARegFile(L"a number is not in hex");
    unsigned value = 0;
    for (const wchar_t c : digits) {
        if (!std::iswxdigit(static_cast<wint_t>(c))) NotARegFile(L"a number is not in hex");
        const unsigned digit = c <= L'9' ? c - L'0' : (std::towlower(static_cast<wint_t>(c)) - L'a' + 10);
        value = value * 16 + digit;
    }
    return value;
}

std::vector<std::uint8_t> HexBytes(const std::wstring& list) {
    std::vector<std::uint8_t> bytes;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(L',', start);
        if (end == std::wstring::npos) end = list.size();
        std::wstring item = list.substr(start, end - start);
        std::erase_if(item, [](wchar_t c) { return c == L' ' || c == L'\t'; });
        if (item.size() > 2) NotARegFile(L"a byte has more than two digits");
        bytes.push_back(static_cast<std::uint8_t>(HexNumber(item)));
        start = end + 1;
    }
    return bytes;
}

std::vector<std::uint8_t> StringData(const std::wstring& text) {
    std::vector<std::uint8_t> data;
    for (const wchar_t c : text) {
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        data.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    data.insert(data.end(), {0, 0});
    return data;
}

// The data part of a value line: "text", dword:xxxxxxxx, hex:.. or hex(t):..
void ReadData(const std::wstring& form, RegFileValue& value) {
    if (!form.empty() && form.front() == L'"') {
        std::size_t at = 0;
        value.type = kRegSz;
        value.data = StringData(Quoted(form, at));
        return;
    }
    if (form.rfind(L"dword:", 0) == 0) {
        const unsigned number = HexNumber(form.substr(6));
        value.type = kRegDword;
        value.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                      static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
        return;
    }
    std::size_t colon = std::wstring::npos;
    if (form.rfind(L"hex:", 0) == 0) {
        value.type = kRegBinary;
        colon = 3;
    } else if (form.rfind(L"hex(", 0) == 0) {
        const std::size_t close = form.find(L"):");
        if (close == std::wstring::npos) NotARegFile(L"a hex type has no end");
        value.type = HexNumber(form.substr(4, close - 4));
        colon = close + 1;
    } else {
        NotARegFile(L"a value has a form Quillmark does not write");
    }
    value.data = HexBytes(form.substr(colon + 1));
}

}  // namespace

RegFileContent ParseRegFile(const std::vector<std::uint8_t>& bytes) {
    const std::vector<std::wstring> lines = Lines(DecodeUtf16(bytes));
    if (lines.front() != L"Windows Registry Editor Version 5.00") NotARegFile(L"its first line is not the header");
    RegFileContent content;
    std::wstring keyPath;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::wstring line = lines[i];
        if (line.empty()) continue;
        if (line.front() == L';') {
            content.comments.push_back(line.substr(1));
            continue;
        }
        if (line.front() == L'[') {
            if (line.back() != L']') NotARegFile(L"a key line has no end");
            keyPath = line.substr(1, line.size() - 2);
            continue;
        }
        // A hex list goes on over lines ending in a backslash; a lone
        // backslash before an empty line leaves nothing.
        while (!line.empty() && line.back() == L'\\' && i + 1 < lines.size()) {
            line.pop_back();
            const std::wstring& next = lines[++i];
            line += next.substr(std::min(next.find_first_not_of(L' '), next.size()));
        }
        if (line.empty()) NotARegFile(L"a continued line holds nothing");
        if (keyPath.empty()) NotARegFile(L"a value comes before any key");
        RegFileValue value;
        value.keyPath = keyPath;
        std::size_t at = 0;
        if (line.front() == L'@') {
            at = 1;
        } else if (line.front() == L'"') {
            value.name = Quoted(line, at);
        } else {
            NotARegFile(L"a line is neither a key, a value nor a comment");
        }
        if (at >= line.size() || line[at] != L'=') NotARegFile(L"a value has no '='");
        ReadData(line.substr(at + 1), value);
        content.values.push_back(std::move(value));
    }
    return content;
}

}  // namespace quillmark
