#pragma once
#include <cstdint>
#include <string>

#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// One startup entry as quillmark-cli reports it, every field as text.
struct EntryRecord {
    std::wstring scope;   // "user" or "all", as --scope names them
    std::wstring source;  // SourceName, as the window's "Starts from" column
    std::wstring name;
    // The key of a Run, Run once or policy value (its view in its path), the
    // Startup folder, or a packaged app's task key
    std::wstring where;
    std::wstring command;  // the value's command line, the Startup file's path or the task's program
    // "enabled", "disabled" or "program not found"; a packaged app's task
    // fixed by policy adds " (set by policy)" to enabled or disabled
    std::wstring status;
    std::wstring disabledAt;  // when it was switched off, UTC; empty when not known
    std::wstring program;     // the program it starts, resolved as its icon is; empty when unknown

    friend bool operator==(const EntryRecord&, const EntryRecord&) = default;
};

// How --scope names the scope.
std::wstring ScopeName(StartupScope scope);

// A UTC FILETIME as ISO 8601 ("2026-12-08T09:30:00Z"); empty for 0.
std::wstring UtcTimeText(std::uint64_t fileTime);

// Where the row lives: the key as the registry editor names it (the 32-bit
// view of the machine's keys spelt with WOW6432Node), or the folder that
// holds the Startup file.
std::wstring SourcePlace(StartupScope scope, const StartupEntry& row);

// The row of the scope's list, with the program it starts.
EntryRecord RecordOf(StartupScope scope, const StartupEntry& row, const std::wstring& program);

}  // namespace quillmark
