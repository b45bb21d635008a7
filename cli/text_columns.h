#pragma once
#include <string>
#include <vector>

namespace quillmark {

// How many console columns the text takes: most characters one, East Asian
// wide ones and most emoji two, combining marks none. A surrogate pair is
// one character.
int TextWidth(const std::wstring& text);

// The text in at most `width` columns: as it is when it fits, else cut with
// "…" as its last column. Never splits a surrogate pair.
std::wstring CutToWidth(const std::wstring& text, int width);

// A text table: the captions, a line of dashes under each, then one line per
// row, columns two blanks apart. With a `width` above 0 the widest columns are
// narrowed (their cells cut) until each line fits in that many columns.
// Control characters show as ^ and a letter, so every row stays on one line.
std::wstring TableText(const std::vector<std::wstring>& captions, const std::vector<std::vector<std::wstring>>& rows,
                       int width);

}  // namespace quillmark
