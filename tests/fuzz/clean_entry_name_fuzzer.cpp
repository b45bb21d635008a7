// Name cleaning: what becomes the shortcut's file name.
#include <cstddef>
#include <cstdint>

#include "inventory/add_shortcut.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Characters no Windows file name may hold: the nine reserved ones and the
// controls U+0000-U+001F.
bool FileNameMayHold(wchar_t c) {
    return c >= 0x20 && std::wstring_view(L"\"/\\:*?<>|").find(c) == std::wstring_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using quillmark::fuzz::Require;
    const std::wstring text = quillmark::fuzz::WideFromBytes(quillmark::fuzz::BytesOf(data, size));
    const std::wstring name = quillmark::CleanEntryName(text);
    Require(text.starts_with(name), "the cleaned name is a beginning of the text");
    for (const wchar_t c : name) Require(FileNameMayHold(c), "the cleaned name holds only file-name characters");
    const auto blank = name.find(L' ');
    Require(blank == std::wstring::npos || blank + 1 == name.size(), "a blank only as the last character");
    if (name.size() < text.size()) {
        const wchar_t next = text[name.size()];
        Require(!FileNameMayHold(next) || name.ends_with(L' '), "the cut is at a forbidden character or a blank");
    }
    return 0;
}
