#pragma once
// Readers of quillmark-cli's two machine formats, written from RFC 4180 and
// RFC 8259 rather than from the writer, so a round trip shows what a
// script's parser would get back.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::testing_support {

// Every row's fields, the header row first; nothing when the text is not
// CSV (an unclosed quote, text after a closing quote, a row not ended by CR LF).
std::optional<std::vector<std::vector<std::wstring>>> ParseCsv(const std::wstring& text);

// One JSON object: its keys with their string values; null is nothing.
using JsonObject = std::map<std::wstring, std::optional<std::wstring>>;
// An array of flat objects whose values are strings or null; nothing when
// the text is anything else or not JSON.
std::optional<std::vector<JsonObject>> ParseJsonObjects(const std::wstring& text);

}  // namespace quillmark::testing_support
