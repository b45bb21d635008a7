#include "app/caption_text.h"

namespace quillmark {

std::wstring AccessibleName(std::wstring_view caption) {
    std::wstring name;
    name.reserve(caption.size());
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == L'&') {
            if (at + 1 == caption.size()) break;  // a trailing "&" marks nothing
            ++at;
        }
        name.push_back(caption[at]);
    }
    return name;
}

wchar_t AccessKeyOf(std::wstring_view caption) noexcept {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != L'&') continue;
        if (caption[at + 1] != L'&') return caption[at + 1];
        ++at;  // "&&" is a literal ampersand
    }
    return 0;
}

}  // namespace quillmark
