// Extension and file-name cuts, and trimming.
#include <cstddef>
#include <cstdint>

#include "shellpath/command_line.h"
#include "shellpath/path_text.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    const std::wstring text = fuzz::TextOf(data, size);

    const std::wstring withoutExt = RemoveFileExt(text);
    const std::wstring ext = ExtractFileExt(text);
    Require(withoutExt + ext == text, "the text is its part before the extension plus the extension");
    Require(ext.empty() || (ext.front() == L'.' && ext.find_first_of(L".\\:", 1) == std::wstring::npos),
            "an extension is one dot and no further delimiter");

    const std::wstring fileName = ExtractFileName(text);
    Require(text.ends_with(fileName), "the file name ends the text");
    Require(fileName.find_first_of(L"\\:") == std::wstring::npos, "a file name holds no folder part");
    Require(fileName.size() == text.size() || text[text.size() - fileName.size() - 1] == L'\\' ||
                text[text.size() - fileName.size() - 1] == L':',
            "the file name starts after a separator");

    const std::wstring trimmed = Trim(text);
    Require(text.find(trimmed) != std::wstring::npos, "trimming keeps an inner part");
    Require(trimmed.empty() || (trimmed.front() > L' ' && trimmed.back() > L' '),
            "nothing at or below a blank is left around it");
    Require(Trim(trimmed) == trimmed, "trimming twice changes nothing");
    return 0;
}
