#include <algorithm>
#include <string_view>

#include "inventory/add_shortcut.h"

namespace quillmark {

namespace {

// The nine reserved characters and the controls U+0000-U+001F: Windows
// refuses a file name holding any of them, so a name pasted with a tab or a
// line break inside would give a shortcut that can never be written.
bool FileNameCannotHold(wchar_t c) {
    return c < L' ' || std::wstring_view(L"\"/\\:*?<>|").find(c) != std::wstring_view::npos;
}

}  // namespace

std::wstring CleanEntryName(const std::wstring& text) {
    // The text before the first character of any of them.
    std::wstring name(text.begin(), std::find_if(text.begin(), text.end(), FileNameCannotHold));
    // The first blank stays; what follows it goes. Other white space is kept.
    const auto blank = name.find(L' ');
    if (blank != std::wstring::npos) name.resize(blank + 1);
    return name;
}

}  // namespace quillmark
