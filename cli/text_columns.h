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

struct TableColumn {
    std::wstring caption;
    bool mayCut = true;  // false: narrowed only when the others cannot make room
};

// A text table: the captions, a line of dashes under each, then one line per
// row, columns two blanks apart. With a `width` above 0 the widest columns
// that may be cut are narrowed (their cells cut), then if need be the others,
// until each line fits in that many columns. Control characters show as ^
// and a letter, so every row stays on one line.
std::wstring TableText(const std::vector<TableColumn>& columns, const std::vector<std::vector<std::wstring>>& rows,
                       int width);

}  // namespace quillmark
