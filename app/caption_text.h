#pragma once
#include <string>
#include <string_view>

namespace quillmark {

// What a screen reader reads for a control's caption: the caption without
// the "&" that marks its access key ("&&" stands for one "&").
std::wstring AccessibleName(std::wstring_view caption);

// The letter after the caption's single "&", as written; 0 for none.
wchar_t AccessKeyOf(std::wstring_view caption) noexcept;

}  // namespace quillmark
