#pragma once
#include <optional>
#include <string>
#include <vector>

#include "inventory/reg_file.h"
#include "inventory/startup_scope.h"

namespace quillmark {

struct Platform;

// The registry editor file of a record, inside its folder.
inline const wchar_t kRemovalRecordFile[] = L"Startup entries.reg";

// A removed Startup file: where it was, and the name of its copy in the record's folder.
struct SavedStartupFile {
    std::wstring originalPath;
    std::wstring copyName;
};

// What one removal took from a scope, enough to put every byte back.
struct RemovalRecord {
    StartupScope scope = StartupScope::CurrentUser;
    std::vector<RegFileValue> values;
    std::vector<SavedStartupFile> files;  // copyName is chosen when the record is written
    // The StartupApproved values of removed entries that had one, raw as read;
    // apart from `values`, which hold the Run values alone.
    std::vector<RegFileValue> marks;
};

// Writes `DataFolder\Removed\<yyyy-mm-dd hh.mm.ss>` (" (2)" and on for a
// second record in the same second) holding the record's .reg file and a
// copy of each file, and returns the folder. Throws Error saying why when
// any part cannot be written; nothing may be removed then.
std::wstring WriteRemovalRecord(const Platform& platform, const std::wstring& dataFolder, RemovalRecord& record);
// Writes the record's .reg file again, for when fewer entries went than were
// recorded. False when it could not be written.
bool RewriteRemovalRecord(const Platform& platform, const std::wstring& folder, const RemovalRecord& record) noexcept;
// Reads a record's .reg file back; nothing when it is missing or not one Quillmark wrote.
std::optional<RemovalRecord> ReadRemovalRecord(const Platform& platform, const std::wstring& folder) noexcept;

// A record is kept after it was undone, marked by a note beside the .reg file.
bool MarkRecordUndone(const Platform& platform, const std::wstring& folder) noexcept;
bool IsRecordUndone(const Platform& platform, const std::wstring& folder) noexcept;
// The record folders under the data folder, newest first.
std::vector<std::wstring> RecordFoldersNewestFirst(const Platform& platform, const std::wstring& dataFolder) noexcept;

}  // namespace quillmark
