#include "tests/support/record_parsers.h"

#include <cwctype>

namespace quillmark::testing_support {

std::optional<std::vector<std::vector<std::wstring>>> ParseCsv(const std::wstring& text) {
    std::vector<std::vector<std::wstring>> rows;
    std::vector<std::wstring> row;
    std::size_t i = 0;
    while (i < text.size()) {
        std::wstring field;
        if (text[i] == L'"') {
            for (++i;; ++i) {
                if (i >= text.size()) return std::nullopt;
                if (text[i] != L'"') {
                    field += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == L'"') {
                    field += L'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < text.size() && text[i] != L',' && text[i] != L'\r' && text[i] != L'\n' && text[i] != L'"')
                field += text[i++];
        }
        row.push_back(std::move(field));
        if (i < text.size() && text[i] == L',') {
            ++i;
        } else if (text.compare(i, 2, L"\r\n") == 0) {
            i += 2;
            rows.push_back(std::move(row));
            row.clear();
        } else {
            return std::nullopt;
        }
    }
    if (!row.empty()) return std::nullopt;
    return rows;
}

namespace {

class JsonReader {
public:
    explicit JsonReader(const std::wstring& text) : text_(text) {}

    std::optional<std::vector<JsonObject>> Array() {
        std::vector<JsonObject> objects;
        if (!Take(L'[')) return std::nullopt;
        if (Take(L']')) return End() ? std::optional(objects) : std::nullopt;
        do {
            auto object = Object();
            if (!object) return std::nullopt;
            objects.push_back(std::move(*object));
        } while (Take(L','));
        if (!Take(L']') || !End()) return std::nullopt;
        return objects;
    }

private:
    void SkipBlanks() {
        while (at_ < text_.size() &&
               (text_[at_] == L' ' || text_[at_] == L'\t' || text_[at_] == L'\r' || text_[at_] == L'\n'))
            ++at_;
    }
    bool Take(wchar_t c) {
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool End() {
        SkipBlanks();
        return at_ == text_.size();
    }
    std::optional<JsonObject> Object() {
        JsonObject object;
        if (!Take(L'{')) return std::nullopt;
        if (Take(L'}')) return object;
        do {
            auto key = String();
            if (!key || !Take(L':') || object.count(*key) != 0) return std::nullopt;
            SkipBlanks();
            if (text_.compare(at_, 4, L"null") == 0) {
                at_ += 4;
                object[*key] = std::nullopt;
            } else if (auto value = String()) {
                object[*key] = std::move(*value);
            } else {
                return std::nullopt;
            }
        } while (Take(L','));
        if (!Take(L'}')) return std::nullopt;
        return object;
    }
    std::optional<std::wstring> String() {
        if (!Take(L'"')) return std::nullopt;
        std::wstring value;
        while (at_ < text_.size()) {
            const wchar_t c = text_[at_++];
            if (c == L'"') return value;
            if (c < 0x20) return std::nullopt;
            if (c != L'\\') {
                value += c;
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const wchar_t escaped = text_[at_++];
            switch (escaped) {
            case L'"':
            case L'\\':
            case L'/': value += escaped; break;
            case L'b': value += L'\b'; break;
            case L'f': value += L'\f'; break;
            case L'n': value += L'\n'; break;
            case L'r': value += L'\r'; break;
            case L't': value += L'\t'; break;
            case L'u': {
                if (at_ + 4 > text_.size()) return std::nullopt;
                unsigned unit = 0;
                for (int digit = 0; digit < 4; ++digit) {
                    const wchar_t h = text_[at_++];
                    if (!std::iswxdigit(h)) return std::nullopt;
                    unit = unit * 16 + (h <= L'9' ? h - L'0' : (std::towlower(h) - L'a' + 10));
                }
                value += static_cast<wchar_t>(unit);
                break;
            }
            default: return std::nullopt;
            }
        }
        return std::nullopt;
    }

    const std::wstring& text_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<JsonObject>> ParseJsonObjects(const std::wstring& text) { return JsonReader(text).Array(); }

}  // namespace quillmark::testing_support
