#include "cli/record_formats.h"

#include <cstdint>

#include "cli/text_columns.h"

namespace quillmark {

namespace {

std::wstring CsvField(const std::wstring& text) {
    const bool quoted = text.find_first_of(L",\"\r\n") != std::wstring::npos ||
                        (!text.empty() && (text.front() == L' ' || text.front() == L'\t' || text.back() == L' ' ||
                                           text.back() == L'\t'));
    if (!quoted) return text;
    std::wstring field = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"') field += L'"';
        field += c;
    }
    return field + L"\"";
}

std::wstring JsonString(const std::wstring& text) {
    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring json = L"\"";
    for (const wchar_t c : text) {
        switch (c) {
        case L'"': json += L"\\\""; continue;
        case L'\\': json += L"\\\\"; continue;
        case L'\b': json += L"\\b"; continue;
        case L'\f': json += L"\\f"; continue;
        case L'\n': json += L"\\n"; continue;
        case L'\r': json += L"\\r"; continue;
        case L'\t': json += L"\\t"; continue;
        default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            json += c;
            continue;
        }
        // UTF-16 units one by one: a pair outside the Basic Multilingual
        // Plane becomes two escapes, a lone surrogate (Windows allows them
        // in names) stays one.
        const auto code = static_cast<std::uint32_t>(c);
        const auto escape = [&](std::uint32_t unit) {
            json += L"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) json += kHex[(unit >> shift) & 0xF];
        };
        if (code > 0xFFFF) {  // where wchar_t holds a whole code point
            escape(0xD800 + ((code - 0x10000) >> 10));
            escape(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            escape(code);
        }
    }
    return json + L"\"";
}

}  // namespace

std::wstring CsvText(const std::vector<EntryRecord>& records) {
    std::wstring text;
    for (const RecordField& field : kRecordFields) text += (text.empty() ? L"" : L",") + CsvField(field.key);
    text += L"\r\n";
    for (const EntryRecord& record : records) {
        std::wstring line;
        for (const RecordField& field : kRecordFields) {
            if (&field != &kRecordFields[0]) line += L',';
            line += CsvField(record.*field.member);
        }
        text += line + L"\r\n";
    }
    return text;
}

std::wstring JsonText(const std::vector<EntryRecord>& records) {
    if (records.empty()) return L"[]\r\n";
    std::wstring text = L"[\r\n";
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::wstring object;
        for (const RecordField& field : kRecordFields) {
            const std::wstring& value = records[i].*field.member;
            const bool isNull = field.member == &EntryRecord::disabledAt && value.empty();
            object +=
                (object.empty() ? L"{" : L",") + JsonString(field.key) + L":" + (isNull ? L"null" : JsonString(value));
        }
        text += L"  " + object + (i + 1 < records.size() ? L"},\r\n" : L"}\r\n");
    }
    return text + L"]\r\n";
}

std::wstring TableOfRecords(const std::vector<EntryRecord>& records, int width) {
    std::vector<TableColumn> columns;
    for (const RecordField& field : kRecordFields) {
        if (field.caption != nullptr) columns.push_back(TableColumn{field.caption, field.mayCut});
    }
    std::vector<std::vector<std::wstring>> rows;
    for (const EntryRecord& record : records) {
        std::vector<std::wstring>& cells = rows.emplace_back();
        for (const RecordField& field : kRecordFields) {
            if (field.caption == nullptr) continue;
            cells.push_back(record.*field.member);
            if (field.member == &EntryRecord::status && !record.disabledAt.empty())
                cells.back() += L" " + record.disabledAt.substr(0, record.disabledAt.find(L'T'));
        }
    }
    return TableText(columns, rows, width);
}

std::wstring FormatRecords(OutputFormat format, const std::vector<EntryRecord>& records, int width) {
    switch (format) {
    case OutputFormat::Csv: return CsvText(records);
    case OutputFormat::Json: return JsonText(records);
    case OutputFormat::Table: break;
    }
    return TableOfRecords(records, width);
}

}  // namespace quillmark
