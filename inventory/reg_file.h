#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// One registry value as the registry editor's files carry it: the key's full
// path from its root's long name ("HKEY_CURRENT_USER\..."), the value's name
// (empty for the key's default value) and its exact type and data.
struct RegFileValue {
    std::wstring keyPath;
    std::wstring name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    friend bool operator==(const RegFileValue&, const RegFileValue&) = default;
};

// What a registry editor file says: its `;` comment lines (text after the
// semicolon) and its values, each in the order written.
struct RegFileContent {
    std::vector<std::wstring> comments;
    std::vector<RegFileValue> values;
};

// The text of a registry editor file (version 5.00) as regedit itself writes
// one: CRLF line ends, the comments after the header, then one section per run
// of values of the same key. Importing it gives each value back with exactly
// its type and bytes.
std::wstring RegFileText(const RegFileContent& content);
// A value name holding a line feed, a carriage return or NUL: the file
// carries it as "\n", "\r" or "\0", which Quillmark reads back but the
// registry editor does not import as that name.
bool RegeditCannotImportName(const std::wstring& name);
// The file's bytes: UTF-16 little-endian with a byte order mark, which is
// what regedit reads and writes for version 5.00.
std::vector<std::uint8_t> RegFileBytes(const std::wstring& text);

// Reads back a file written by RegFileText (and the same forms from regedit;
// of every escape after a backslash, "\\", "\"", "\n", "\r" and "\0"):
// sections, "name"= and @= values in the string, dword: and hex forms with
// continuation lines, and comments. Throws Error for bytes that are not such a file.
RegFileContent ParseRegFile(const std::vector<std::uint8_t>& bytes);

}  // namespace quillmark
