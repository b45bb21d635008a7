#include "shellpath/path_text.h"

namespace quillmark {

std::wstring Trim(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= L' ') ++first;
    while (last > first && text[last - 1] <= L' ') --last;
    return text.substr(first, last - first);
}

std::wstring ExtractFileExt(const std::wstring& text) {
    const auto delimiter = text.find_last_of(L".\\:");
    if (delimiter == std::wstring::npos || text[delimiter] != L'.') return {};
    return text.substr(delimiter);
}

std::wstring ExtractFileName(const std::wstring& text) {
    const auto separator = text.find_last_of(L"\\:");
    return separator == std::wstring::npos ? text : text.substr(separator + 1);
}

}  // namespace quillmark
