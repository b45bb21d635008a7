#include "inventory/add_shortcut.h"

namespace quillmark {

std::wstring CleanEntryName(const std::wstring& text) {
    // Cutting before each forbidden character in turn leaves the text before
    // the first of any of them.
    std::wstring name = text.substr(0, text.find_first_of(L"\"/\\:*?<>|"));
    // The first blank stays; what follows it goes. Other white space is kept.
    const auto blank = name.find(L' ');
    if (blank != std::wstring::npos) name.resize(blank + 1);
    return name;
}

}  // namespace quillmark
