#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::fuzz {

// The raw bytes libFuzzer hands a target.
inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Reads fuzz bytes as UTF-8, leniently, so the dictionary's path tokens and
// the corpus stay readable while every byte string is still some text.
// Three-byte forms of surrogates are accepted, so lone halves reach the code
// under test; four-byte forms become a surrogate pair; a byte that starts no
// complete sequence becomes the UTF-16 unit of the same value.
inline std::wstring WideFromBytes(std::string_view bytes) {
    std::wstring text;
    std::size_t at = 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto continuation = [&](std::size_t i) { return i < bytes.size() && (byte(i) & 0xC0) == 0x80; };
    while (at < bytes.size()) {
        const unsigned lead = byte(at);
        if (lead >= 0xC2 && lead < 0xE0 && continuation(at + 1)) {
            text.push_back(static_cast<wchar_t>(((lead & 0x1F) << 6) | (byte(at + 1) & 0x3F)));
            at += 2;
        } else if (lead >= 0xE0 && lead < 0xF0 && continuation(at + 1) && continuation(at + 2)) {
            const unsigned unit = ((lead & 0x0F) << 12) | ((byte(at + 1) & 0x3F) << 6) | (byte(at + 2) & 0x3F);
            text.push_back(static_cast<wchar_t>(unit < 0x800 ? lead : unit));
            at += unit < 0x800 ? 1 : 3;
        } else if (lead >= 0xF0 && lead < 0xF5 && continuation(at + 1) && continuation(at + 2) &&
                   continuation(at + 3)) {
            const unsigned point = ((lead & 0x07) << 18) | ((byte(at + 1) & 0x3F) << 12) |
                                   ((byte(at + 2) & 0x3F) << 6) | (byte(at + 3) & 0x3F);
            if (point < 0x10000 || point > 0x10FFFF) {
                text.push_back(static_cast<wchar_t>(lead));
                at += 1;
                continue;
            }
            text.push_back(static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
            at += 4;
        } else {
            text.push_back(static_cast<wchar_t>(lead));
            at += 1;
        }
    }
    return text;
}

// The whole input as text.
inline std::wstring TextOf(const std::uint8_t* data, std::size_t size) { return WideFromBytes(BytesOf(data, size)); }

// The input cut at every `separator`; n separators give n + 1 parts.
inline std::vector<std::string_view> SplitAt(std::string_view bytes, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = bytes.find(separator); at != std::string_view::npos; at = bytes.find(separator, start)) {
        parts.push_back(bytes.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(bytes.substr(start));
    return parts;
}

// A broken invariant: says which and aborts, so libFuzzer keeps the input
// as a crash and a corpus replay fails.
inline void Require(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

}  // namespace quillmark::fuzz
