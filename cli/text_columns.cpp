#include "cli/text_columns.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace quillmark {

namespace {

constexpr wchar_t kEllipsis = L'\u2026';
constexpr int kColumnGap = 2;

struct CharacterRange {
    char32_t first;
    char32_t last;
    int width;
};

// The ranges a console draws at other than one column.
constexpr CharacterRange kWidths[] = {
    {0x0300, 0x036F, 0},   {0x200B, 0x200F, 0},   {0xFE00, 0xFE0F, 0}, {0x1100, 0x115F, 2}, {0x2E80, 0x303E, 2},
    {0x3041, 0x33FF, 2},   {0x3400, 0x4DBF, 2},   {0x4E00, 0x9FFF, 2}, {0xA000, 0xA4CF, 2}, {0xAC00, 0xD7A3, 2},
    {0xF900, 0xFAFF, 2},   {0xFE30, 0xFE4F, 2},   {0xFF00, 0xFF60, 2}, {0xFFE0, 0xFFE6, 2}, {0x1F300, 0x1F64F, 2},
    {0x1F900, 0x1F9FF, 2}, {0x20000, 0x3FFFD, 2},
};

int CharacterWidth(char32_t c) {
    for (const CharacterRange& range : kWidths) {
        if (c >= range.first && c <= range.last) return range.width;
    }
    return 1;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The character at `i` and how many UTF-16 units it takes; a lone surrogate is one unit.
std::pair<char32_t, std::size_t> CharacterAt(const std::wstring& text, std::size_t i) {
    const wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        return {0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00),
                2};
    return {static_cast<char32_t>(c), 1};
}

// What a cell shows: control characters as ^ and a letter, a surrogate
// without its partner as the replacement character.
std::wstring Printable(const std::wstring& text) {
    std::wstring shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, units] = CharacterAt(text, i);
        if (c < 0x20 || c == 0x7F) {
            shown += L'^';
            shown += c == 0x7F ? L'?' : static_cast<wchar_t>(c + 0x40);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            shown += L'\uFFFD';
        } else {
            shown.append(text, i, units);
        }
        i += units;
    }
    return shown;
}

// The columns `narrows` picks capped at the widest cap, down to `floor`, at
// which the line fits in `width`; the room left over goes to the capped
// columns, one column each. Nothing when even `floor` is too wide.
std::optional<std::vector<int>> Narrowed(const std::vector<int>& natural, const std::vector<bool>& narrows, int width,
                                         int floor) {
    const auto widths = [&](int cap) {
        std::vector<int> capped = natural;
        for (std::size_t i = 0; i < capped.size(); ++i) {
            if (narrows[i]) capped[i] = std::min(capped[i], cap);
        }
        return capped;
    };
    const int gaps = kColumnGap * static_cast<int>(natural.size() - 1);
    const auto total = [&](int cap) {
        const std::vector<int> capped = widths(cap);
        return std::accumulate(capped.begin(), capped.end(), gaps);
    };
    int cap = *std::max_element(natural.begin(), natural.end());
    while (cap > floor && total(cap) > width) --cap;
    if (total(cap) > width) return std::nullopt;
    std::vector<int> fitted = widths(cap);
    int spare = width - total(cap);
    for (std::size_t i = 0; i < fitted.size() && spare > 0; ++i) {
        if (fitted[i] < natural[i]) {
            ++fitted[i];
            --spare;
        }
    }
    return fitted;
}

// The columns that may be cut are narrowed first, to no fewer than
// kNarrowest; only then the others.
std::vector<int> FittedWidths(const std::vector<int>& natural, const std::vector<bool>& mayCut, int width) {
    constexpr int kNarrowest = 8;
    if (auto fitted = Narrowed(natural, mayCut, width, kNarrowest)) return *fitted;
    if (auto fitted = Narrowed(natural, std::vector<bool>(natural.size(), true), width, 1)) return *fitted;
    // Narrower than one column each: every line is cut at the end.
    return std::vector<int>(natural.size(), 1);
}

std::wstring Padded(const std::wstring& text, int width) {
    const int room = width - TextWidth(text);
    return room > 0 ? text + std::wstring(static_cast<std::size_t>(room), L' ') : text;
}

// Cells padded to their columns, blanks at the line's end dropped; cut to
// `width` when the columns could not be narrowed enough.
std::wstring Line(const std::vector<std::wstring>& cells, const std::vector<int>& widths, int width) {
    std::wstring line;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const std::wstring cell = column < cells.size() ? CutToWidth(cells[column], widths[column]) : std::wstring();
        if (column > 0) line += std::wstring(kColumnGap, L' ');
        line += Padded(cell, widths[column]);
    }
    line.erase(line.find_last_not_of(L' ') + 1);
    return (width > 0 ? CutToWidth(line, width) : line) + L"\r\n";
}

}  // namespace

int TextWidth(const std::wstring& text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, units] = CharacterAt(text, i);
        width += CharacterWidth(c);
        i += units;
    }
    return width;
}

std::wstring CutToWidth(const std::wstring& text, int width) {
    if (TextWidth(text) <= width) return text;
    if (width <= 0) return {};
    std::wstring cut;
    int used = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, units] = CharacterAt(text, i);
        if (used + CharacterWidth(c) > width - 1) break;
        used += CharacterWidth(c);
        cut.append(text, i, units);
        i += units;
    }
    return cut + kEllipsis;
}

std::wstring TableText(const std::vector<TableColumn>& columns, const std::vector<std::vector<std::wstring>>& rows,
                       int width) {
    if (columns.empty()) return {};
    std::vector<std::wstring> captions;
    std::vector<bool> mayCut;
    for (const TableColumn& column : columns) {
        captions.push_back(column.caption);
        mayCut.push_back(column.mayCut);
    }
    std::vector<std::vector<std::wstring>> shown;
    for (const auto& row : rows) {
        std::vector<std::wstring>& cells = shown.emplace_back();
        for (const std::wstring& cell : row) cells.push_back(Printable(cell));
    }
    std::vector<int> natural;
    for (std::size_t column = 0; column < captions.size(); ++column) {
        int widest = TextWidth(captions[column]);
        for (const auto& cells : shown) {
            if (column < cells.size()) widest = std::max(widest, TextWidth(cells[column]));
        }
        natural.push_back(widest);
    }
    const std::vector<int> widths = width > 0 ? FittedWidths(natural, mayCut, width) : natural;
    std::vector<std::wstring> dashes;
    for (const int w : widths) dashes.emplace_back(static_cast<std::size_t>(w), L'-');
    std::wstring text = Line(captions, widths, width) + Line(dashes, widths, width);
    for (const auto& cells : shown) text += Line(cells, widths, width);
    return text;
}

}  // namespace quillmark
