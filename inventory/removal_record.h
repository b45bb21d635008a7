#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/reg_file.h"
#include "inventory/startup_scope.h"

namespace quillmark {

struct Platform;
class CodePage;

// The registry editor file of a record, inside its folder.
inline const wchar_t kRemovalRecordFile[] = L"Startup entries.reg";

// A removed Startup file: where it was, and the name of its copy in the record's folder.
struct SavedStartupFile {
    std::wstring originalPath;
    std::wstring copyName;

    friend bool operator==(const SavedStartupFile&, const SavedStartupFile&) = default;
};

// What one removal took from a scope, enough to put every byte back.
struct RemovalRecord {
    StartupScope scope = StartupScope::CurrentUser;
    // When it was written, as a UTC FILETIME: what orders records, whatever
    // the clock's time zone did in between. 0 for a record of an older
    // Quillmark, which wrote none.
    std::uint64_t writtenUtc = 0;
    std::vector<RegFileValue> values;
    std::vector<SavedStartupFile> files;  // copyName is chosen when the record is written
    // The StartupApproved values of removed entries that had one, raw as read;
    // apart from `values`, which hold the Run values alone.
    std::vector<RegFileValue> marks;

    friend bool operator==(const RemovalRecord&, const RemovalRecord&) = default;
};

// Where one scope's records are kept, and whom they must belong to.
struct RecordsPlace {
    std::wstring folder;  // "...\Quillmark\Removed"; empty when there is none
    // Empty: the current user's own records, in a folder only that user's
    // programs write anyway. Otherwise the all users' records: their folders
    // are made for administrators only, and a folder or file of them owned
    // by anyone else is not trusted.
    std::vector<std::wstring> trustedOwners;

    bool ForAdministrators() const noexcept { return !trustedOwners.empty(); }
};

// The owners the machine's shared data may have: the Administrators group,
// SYSTEM, and the owner of the machine's data folder itself (ProgramData,
// SYSTEM's on Windows; a standard user owns neither).
std::vector<std::wstring> TrustedMachineOwners(const Platform& platform, const std::wstring& machineDataFolder);

// Why a folder or file of the place's records is not to be trusted: a link
// to another place, or (for the all users' records) another owner. Empty
// when it may be used.
std::wstring DistrustOf(const Platform& platform, const RecordsPlace& place, const std::wstring& path);

// The record's .reg file, as WriteRemovalRecord writes it.
std::vector<std::uint8_t> RemovalRecordBytes(const RemovalRecord& record);
// Reads a record's .reg file back; throws Error saying why when the bytes
// are not a record Quillmark wrote.
RemovalRecord ParseRemovalRecord(const CodePage& codePage, const std::vector<std::uint8_t>& bytes);

// Writes `<place>\<yyyy-mm-dd hh.mm.ss>` (the local time, for people; " (2)"
// and on for a second record in the same second) holding the record's .reg
// file and a copy of each file, and returns the folder. The all users'
// folders are made for administrators when missing. Throws Error saying why
// when any part cannot be written, when the place is not to be trusted, or
// when the record would not read back exactly; nothing may be removed then.
std::wstring WriteRemovalRecord(const Platform& platform, const RecordsPlace& place, RemovalRecord& record);
// Writes the record's .reg file again, for when fewer entries went than were
// recorded. False when it could not be written.
bool RewriteRemovalRecord(const Platform& platform, const std::wstring& folder, const RemovalRecord& record) noexcept;

// A record is kept after it was undone, marked by a note beside the .reg file.
bool MarkRecordUndone(const Platform& platform, const std::wstring& folder) noexcept;
bool IsRecordUndone(const Platform& platform, const std::wstring& folder) noexcept;

// The scope's newest record that is not yet undone, by the UTC time written
// inside it (records of an older Quillmark come after every dated one, by
// folder name). A record that cannot be read, nor trusted, is never passed
// over: when it is the newest, or cannot be dated, it is the answer, with
// `problem` saying why it cannot be used.
struct NewestRecord {
    bool found = false;
    std::wstring folder;
    RemovalRecord record;
    std::wstring problem;
};
NewestRecord FindNewestRecord(const Platform& platform, StartupScope scope, const RecordsPlace& place) noexcept;

// "2026-12-08 09:30:00.0000000 UTC" and back; nothing for any other text.
std::wstring UtcStampText(std::uint64_t fileTime);
std::optional<std::uint64_t> ParseUtcStamp(const std::wstring& text);
// A name as a message can show it: control characters as "\n", "\r", "\t"
// or "\x1b".
std::wstring PrintableName(const std::wstring& name);

}  // namespace quillmark
