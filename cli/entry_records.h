#pragma once
#include <cstdint>
#include <string>

#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// One startup entry as quillmark-cli reports it, every field as text.
struct EntryRecord {
    std::wstring scope;   // "user" or "all", as --scope names them
    std::wstring source;  // SourceName
    std::wstring name;
    std::wstring where;       // the Run key (its view in its path) or the Startup folder
    std::wstring command;     // the Run value's command line or the Startup file's path
    std::wstring status;      // "enabled", "disabled" or "program not found"
    std::wstring disabledAt;  // when it was switched off, UTC; empty when not known
    std::wstring program;     // the program it starts, resolved as its icon is; empty when unknown

    friend bool operator==(const EntryRecord&, const EntryRecord&) = default;
};

// How --scope names the scope.
std::wstring ScopeName(StartupScope scope);

// A UTC FILETIME as ISO 8601 ("2026-12-08T09:30:00Z"); empty for 0.
std::wstring UtcTimeText(std::uint64_t fileTime);

// The row of the scope's list, with the program it starts.
EntryRecord RecordOf(StartupScope scope, const StartupEntry& row, const std::wstring& program);

}  // namespace quillmark
