#pragma once
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/entry_records.h"

namespace quillmark {

// One field of a record: its key (the JSON key and the CSV header's name,
// the same in both so a script reads either the same way), the table's
// caption, and where the record holds it.
struct RecordField {
    const wchar_t* key;
    const wchar_t* caption;  // null: not a column of its own in the table
    std::wstring EntryRecord::*member;
    bool mayCut;  // the table cuts it first to fit a narrow console
};

inline constexpr RecordField kRecordFields[] = {
    {L"scope", L"Scope", &EntryRecord::scope, false},
    {L"source", L"Source", &EntryRecord::source, false},
    {L"name", L"Name", &EntryRecord::name, true},
    {L"where", L"Where", &EntryRecord::where, true},
    {L"command", L"Command", &EntryRecord::command, true},
    {L"status", L"Status", &EntryRecord::status, false},
    // The table shows its day after the status.
    {L"disabledAt", nullptr, &EntryRecord::disabledAt, false},
    {L"program", L"Program", &EntryRecord::program, true},
};

// RFC 4180: a header row of the keys, then one record per row, lines ended
// by CR LF; a field holding a comma, quote, line break or an outer blank is
// quoted, its quotes doubled.
std::wstring CsvText(const std::vector<EntryRecord>& records);

// One array of objects with every key of kRecordFields, one object a line;
// disabledAt is null when not known. Every character outside printable
// ASCII is written as a \u escape (a pair of them outside the Basic
// Multilingual Plane), so the text reads the same whatever code page a
// reader decodes it with.
std::wstring JsonText(const std::vector<EntryRecord>& records);

// For people: the captioned fields as columns, a disabled status with its
// day (UTC), fitted to `width` columns (0: no limit).
std::wstring TableOfRecords(const std::vector<EntryRecord>& records, int width);

std::wstring FormatRecords(OutputFormat format, const std::vector<EntryRecord>& records, int width);

}  // namespace quillmark
