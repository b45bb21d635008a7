#include "inventory/removal_record.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "inventory/startup_approved.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "shellpath/path_text.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

const wchar_t kUndoneNote[] = L"Undone.txt";
// The first comment says whose entries these were; undo reads it back.
const wchar_t* const kScopeComments[] = {L" Removed by Quillmark from the Current User's startup items",
                                         L" Removed by Quillmark from All Users' startup items"};
const wchar_t kFallbackComment[] =
    L" Open this file to put the Run values back; copy each file below back to where it was.";
const wchar_t kFilePrefix[] = L" Startup file \"";
const wchar_t kFileMiddle[] = L"\" saved as \"";

std::wstring TwoDigits(int value) {
    wchar_t buffer[8];
    std::swprintf(buffer, 8, L"%02d", value);
    return buffer;
}

// Local time, in a form a file name may hold and that sorts by time.
std::wstring StampOf(const LocalTime& now) {
    wchar_t year[8];
    std::swprintf(year, 8, L"%04d", now.year);
    return std::wstring(year) + L"-" + TwoDigits(now.month) + L"-" + TwoDigits(now.day) + L" " + TwoDigits(now.hour) +
           L"." + TwoDigits(now.minute) + L"." + TwoDigits(now.second);
}

std::wstring RecordsFolder(const std::wstring& dataFolder) { return dataFolder + L"\\Removed"; }

[[noreturn]] void CannotWrite(const Platform& platform, const std::wstring& what, std::uint32_t error) {
    std::wstring message = L"Nothing was removed: the removal record could not be written to \"" + what + L"\".";
    if (error != kErrorSuccess) message += L" " + platform.registry.MessageFor(error);
    throw Error(message);
}

// A new folder for the record, never one an earlier record holds.
std::wstring NewRecordFolder(const Platform& platform, const std::wstring& dataFolder) {
    if (dataFolder.empty()) throw Error(L"Nothing was removed: there is no documents folder to keep a removal record in.");
    const std::wstring parent = RecordsFolder(dataFolder);
    const std::wstring stamp = StampOf(platform.environment.LocalTimeNow());
    for (int suffix = 1; suffix < 1000; ++suffix) {
        const std::wstring folder =
            parent + L"\\" + stamp + (suffix == 1 ? std::wstring() : L" (" + std::to_wstring(suffix) + L")");
        if (platform.files.GetAttributes(folder) != kInvalidAttributes) continue;
        if (!platform.files.ForceDirectories(folder)) CannotWrite(platform, folder, kErrorSuccess);
        return folder;
    }
    CannotWrite(platform, parent, kErrorSuccess);
}

// The file's own name, unless the record already holds that name (letter
// case aside): then "name (2).ext" and on.
std::wstring CopyName(const Platform& platform, const std::wstring& original, std::set<std::wstring>& taken) {
    const std::wstring name = ExtractFileName(original);
    const std::size_t dot = name.rfind(L'.');
    const std::wstring stem = dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
    const std::wstring extension = name.substr(stem.size());
    for (int suffix = 1;; ++suffix) {
        const std::wstring candidate = suffix == 1 ? name : stem + L" (" + std::to_wstring(suffix) + L")" + extension;
        if (taken.insert(platform.codePage.Upper(candidate)).second) return candidate;
    }
}

RegFileContent ContentOf(const RemovalRecord& record) {
    RegFileContent content;
    content.comments.push_back(kScopeComments[TabIndexOf(record.scope)]);
    content.comments.push_back(kFallbackComment);
    for (const SavedStartupFile& file : record.files)
        content.comments.push_back(kFilePrefix + file.originalPath + kFileMiddle + file.copyName + L"\"");
    content.values = record.values;
    // Marks follow in list order; grouped by key, each key gets one section.
    const auto marks = content.values.insert(content.values.end(), record.marks.begin(), record.marks.end());
    std::stable_sort(marks, content.values.end(),
                     [](const RegFileValue& a, const RegFileValue& b) { return a.keyPath < b.keyPath; });
    return content;
}

std::optional<SavedStartupFile> SavedFileOf(const std::wstring& comment) {
    if (comment.rfind(kFilePrefix, 0) != 0 || comment.size() < 2 || comment.back() != L'"') return std::nullopt;
    const std::wstring rest = comment.substr(std::size(kFilePrefix) - 1, comment.size() - std::size(kFilePrefix));
    // Neither part can hold a quote: Windows file names never do.
    const std::size_t middle = rest.find(kFileMiddle);
    if (middle == std::wstring::npos) return std::nullopt;
    return SavedStartupFile{rest.substr(0, middle), rest.substr(middle + std::size(kFileMiddle) - 1)};
}

std::uint32_t WriteRegFile(const Platform& platform, const std::wstring& folder, const RemovalRecord& record) {
    return platform.files.WriteFile(folder + L"\\" + kRemovalRecordFile, RegFileBytes(RegFileText(ContentOf(record))));
}

// "2026-12-08 09.30.00 (2)" -> ("2026-12-08 09.30.00", 2); a name of another form is no record.
std::optional<std::pair<std::wstring, int>> OrderOf(const std::wstring& name) {
    constexpr std::size_t kStampLength = 19;
    if (name.size() < kStampLength) return std::nullopt;
    const std::wstring rest = name.substr(kStampLength);
    if (rest.empty()) return std::pair{name, 1};
    if (rest.size() < 4 || rest.rfind(L" (", 0) != 0 || rest.back() != L')') return std::nullopt;
    try {
        return std::pair{name.substr(0, kStampLength), std::stoi(rest.substr(2, rest.size() - 3))};
    } catch (...) {
        TraceCaughtFailure();
        return std::nullopt;
    }
}

}  // namespace

std::wstring WriteRemovalRecord(const Platform& platform, const std::wstring& dataFolder, RemovalRecord& record) {
    const std::wstring folder = NewRecordFolder(platform, dataFolder);
    std::set<std::wstring> taken = {platform.codePage.Upper(kRemovalRecordFile), platform.codePage.Upper(kUndoneNote)};
    for (SavedStartupFile& file : record.files) {
        file.copyName = CopyName(platform, file.originalPath, taken);
        // CopyFileW: the same bytes, attributes and last-write time.
        const std::wstring copy = folder + L"\\" + file.copyName;
        if (const std::uint32_t error = platform.files.CopyNew(file.originalPath, copy); error != kErrorSuccess)
            CannotWrite(platform, copy, error);
    }
    if (const std::uint32_t error = WriteRegFile(platform, folder, record); error != kErrorSuccess)
        CannotWrite(platform, folder + L"\\" + kRemovalRecordFile, error);
    return folder;
}

bool RewriteRemovalRecord(const Platform& platform, const std::wstring& folder, const RemovalRecord& record) noexcept {
    try {
        return WriteRegFile(platform, folder, record) == kErrorSuccess;
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

std::optional<RemovalRecord> ReadRemovalRecord(const Platform& platform, const std::wstring& folder) noexcept {
    try {
        std::vector<std::uint8_t> bytes;
        if (!platform.files.ReadFile(folder + L"\\" + kRemovalRecordFile, bytes)) return std::nullopt;
        RegFileContent content = ParseRegFile(bytes);
        if (content.comments.empty()) return std::nullopt;
        RemovalRecord record;
        if (content.comments.front() == kScopeComments[TabIndexOf(StartupScope::AllUsers)]) {
            record.scope = StartupScope::AllUsers;
        } else if (content.comments.front() != kScopeComments[TabIndexOf(StartupScope::CurrentUser)]) {
            return std::nullopt;
        }
        for (const std::wstring& comment : content.comments) {
            if (auto file = SavedFileOf(comment)) record.files.push_back(std::move(*file));
        }
        for (RegFileValue& value : content.values) {
            const bool mark = IsUnderStartupApproved(platform.codePage, value.keyPath);
            (mark ? record.marks : record.values).push_back(std::move(value));
        }
        return record;
    } catch (...) {
        TraceCaughtFailure();
        return std::nullopt;
    }
}

bool MarkRecordUndone(const Platform& platform, const std::wstring& folder) noexcept {
    try {
        const std::vector<std::uint8_t> note =
            RegFileBytes(L"This removal was undone by Quillmark at " + StampOf(platform.environment.LocalTimeNow()) + L".\r\n");
        return platform.files.WriteFile(folder + L"\\" + kUndoneNote, note) == kErrorSuccess;
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

bool IsRecordUndone(const Platform& platform, const std::wstring& folder) noexcept {
    try {
        return platform.files.FileExists(folder + L"\\" + kUndoneNote);
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

std::vector<std::wstring> RecordFoldersNewestFirst(const Platform& platform, const std::wstring& dataFolder) noexcept {
    try {
        if (dataFolder.empty()) return {};
        std::vector<std::pair<std::pair<std::wstring, int>, std::wstring>> found;
        for (const FoundEntry& entry : platform.files.FindEntries(RecordsFolder(dataFolder) + L"\\*")) {
            if (!(entry.attributes & kAttrDirectory)) continue;
            if (auto order = OrderOf(entry.name)) found.emplace_back(std::move(*order), entry.name);
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<std::wstring> folders;
        for (const auto& item : found) folders.push_back(RecordsFolder(dataFolder) + L"\\" + item.second);
        return folders;
    } catch (...) {
        TraceCaughtFailure();
        return {};
    }
}

}  // namespace quillmark
