#include "inventory/removal_record.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <set>
#include <tuple>

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
// The second says when, in UTC: what orders the records.
const wchar_t kStampPrefix[] = L" Written at ";
const wchar_t kFallbackComment[] =
    L" Open this file to put the Run values back; copy each file below back to where it was.";
const wchar_t kFilePrefix[] = L" Startup file \"";
const wchar_t kFileMiddle[] = L"\" saved as \"";
const wchar_t kNameNotImported[] = L" The registry editor does not import the name of the value ";
const wchar_t kNameNotImportedEnd[] = L" below (it holds a line break or NUL): use Quillmark's Undo removal for it.";

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kTicksPerDay = 86400 * kTicksPerSecond;

std::wstring Digits(unsigned value, int width) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%0*u", width, value);
    return buffer;
}

// Local time, in a form a file name may hold, for people to find a record by.
std::wstring FolderNameOf(const LocalTime& now) {
    const auto two = [](int value) { return Digits(static_cast<unsigned>(value), 2); };
    return Digits(static_cast<unsigned>(now.year), 4) + L"-" + two(now.month) + L"-" + two(now.day) + L" " +
           two(now.hour) + L"." + two(now.minute) + L"." + two(now.second);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

[[noreturn]] void CannotWrite(const Platform& platform, const std::wstring& what, std::uint32_t error) {
    std::wstring message = L"Nothing was removed: the removal record could not be written to " + Quoted(what) + L".";
    if (error != kErrorSuccess) message += L" " + platform.registry.MessageFor(error);
    throw Error(message, error == kErrorAccessDenied);
}

std::wstring ParentFolder(const std::wstring& folder) {
    const std::size_t separator = folder.find_last_of(L'\\');
    return separator == std::wstring::npos ? std::wstring() : folder.substr(0, separator);
}

void RefuseUntrusted(const Platform& platform, const RecordsPlace& place, const std::wstring& path) {
    const std::wstring why = DistrustOf(platform, place, path);
    if (!why.empty()) throw Error(L"Nothing was removed: no removal record is written where " + why + L".");
}

// The all users' records folder and the Quillmark folder above it: made
// for administrators when missing, and trusted before anything goes in.
void PrepareAdministratorsFolder(const Platform& platform, const RecordsPlace& place, const std::wstring& folder,
                                 int levels) {
    if (levels > 1 && !ParentFolder(folder).empty())
        PrepareAdministratorsFolder(platform, place, ParentFolder(folder), levels - 1);
    if (platform.files.GetAttributes(folder) == kInvalidAttributes) {
        const std::uint32_t error = platform.files.CreateFolderForAdministrators(folder);
        if (error != kErrorSuccess && error != kErrorAlreadyExists) CannotWrite(platform, folder, error);
    }
    RefuseUntrusted(platform, place, folder);
}

// Why the records folder, or the Quillmark folder that holds it, is not to
// be trusted; empty when both may be used.
std::wstring DistrustOfPlace(const Platform& platform, const RecordsPlace& place) {
    std::wstring why = DistrustOf(platform, place, place.folder);
    const std::wstring parent = ParentFolder(place.folder);
    if (why.empty() && !parent.empty()) why = DistrustOf(platform, place, parent);
    return why;
}

void PrepareRecordsFolder(const Platform& platform, const RecordsPlace& place) {
    if (place.folder.empty())
        throw Error(L"Nothing was removed: there is no folder to keep a removal record in.");
    if (place.ForAdministrators()) return PrepareAdministratorsFolder(platform, place, place.folder, 2);
    if (!platform.files.ForceDirectories(place.folder)) CannotWrite(platform, place.folder, kErrorSuccess);
    if (const std::wstring why = DistrustOfPlace(platform, place); !why.empty())
        throw Error(L"Nothing was removed: no removal record is written where " + why + L".");
}

// A new folder for the record, never one an earlier record holds.
std::wstring NewRecordFolder(const Platform& platform, const RecordsPlace& place) {
    const std::wstring name = FolderNameOf(platform.environment.LocalTimeNow());
    for (int suffix = 1; suffix < 1000; ++suffix) {
        const std::wstring folder =
            place.folder + L"\\" + name + (suffix == 1 ? std::wstring() : L" (" + std::to_wstring(suffix) + L")");
        if (place.ForAdministrators()) {
            // Made anew or not at all: a folder someone put there first is not ours.
            const std::uint32_t error = platform.files.CreateFolderForAdministrators(folder);
            if (error == kErrorAlreadyExists) continue;
            if (error != kErrorSuccess) CannotWrite(platform, folder, error);
            return folder;
        }
        if (platform.files.GetAttributes(folder) != kInvalidAttributes) continue;
        if (!platform.files.ForceDirectories(folder)) CannotWrite(platform, folder, kErrorSuccess);
        return folder;
    }
    CannotWrite(platform, place.folder, kErrorSuccess);
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
    if (record.writtenUtc != 0) content.comments.push_back(kStampPrefix + UtcStampText(record.writtenUtc));
    content.comments.push_back(kFallbackComment);
    for (const SavedStartupFile& file : record.files)
        content.comments.push_back(kFilePrefix + file.originalPath + kFileMiddle + file.copyName + L"\"");
    for (const RegFileValue& value : record.values) {
        if (RegeditCannotImportName(value.name))
            content.comments.push_back(kNameNotImported + Quoted(PrintableName(value.name)) + kNameNotImportedEnd);
    }
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

// The stamp of a record whose other lines may not read: the comment line
// that carries it, found in the UTF-16 text.
std::optional<std::uint64_t> StampInText(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return std::nullopt;
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
    const std::wstring marker = std::wstring(L"\n;") + kStampPrefix;
    const std::size_t at = text.find(marker);
    if (at == std::wstring::npos) return std::nullopt;
    const std::size_t start = at + marker.size();
    const std::size_t end = text.find_first_of(L"\r\n", start);
    return ParseUtcStamp(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
}

// "name (2)" -> 2; 1 for a name without such an end.
int SuffixOf(const std::wstring& name) {
    if (name.size() < 4 || name.back() != L')') return 1;
    const std::size_t open = name.rfind(L" (");
    if (open == std::wstring::npos) return 1;
    const std::wstring digits = name.substr(open + 2, name.size() - open - 3);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return 1;
    return std::stoi(digits);
}

struct Candidate {
    std::uint64_t stamp = 0;
    int suffix = 1;
    std::wstring name;
    NewestRecord newest;
};

// Records no stamp can be read from sort before every other: they may be
// the newest, and are never passed over.
constexpr std::uint64_t kUndated = std::numeric_limits<std::uint64_t>::max();

std::optional<Candidate> CandidateAt(const Platform& platform, StartupScope scope, const RecordsPlace& place,
                                     const std::wstring& name) {
    const std::wstring folder = place.folder + L"\\" + name;
    const std::wstring file = folder + L"\\" + kRemovalRecordFile;
    if (IsRecordUndone(platform, folder) || platform.files.GetAttributes(file) == kInvalidAttributes) return std::nullopt;
    Candidate candidate{kUndated, SuffixOf(name), name, NewestRecord{true, folder, {}, {}}};
    std::wstring why = DistrustOf(platform, place, folder);
    if (why.empty()) why = DistrustOf(platform, place, file);
    std::vector<std::uint8_t> bytes;
    if (why.empty() && !platform.files.ReadFile(file, bytes)) why = Quoted(file) + L" cannot be read";
    if (!why.empty()) {
        candidate.newest.problem = why;
        return candidate;
    }
    try {
        candidate.newest.record = ParseRemovalRecord(platform.codePage, bytes);
        if (candidate.newest.record.scope != scope) return std::nullopt;
        candidate.stamp = candidate.newest.record.writtenUtc;
    } catch (const Error& error) {
        candidate.newest.problem = error.message();
        candidate.stamp = StampInText(bytes).value_or(kUndated);
    }
    return candidate;
}

}  // namespace

std::vector<std::wstring> TrustedMachineOwners(const Platform& platform, const std::wstring& machineDataFolder) {
    std::vector<std::wstring> owners = {kSidAdministrators, kSidSystem};
    if (machineDataFolder.empty()) return owners;
    const std::wstring owner = platform.files.OwnerSid(machineDataFolder);
    if (!owner.empty() && std::find(owners.begin(), owners.end(), owner) == owners.end()) owners.push_back(owner);
    return owners;
}

std::wstring DistrustOf(const Platform& platform, const RecordsPlace& place, const std::wstring& path) {
    if (platform.files.IsLink(path)) return Quoted(path) + L" is a link to another place";
    if (!place.ForAdministrators()) return {};
    const std::wstring owner = platform.files.OwnerSid(path);
    if (std::find(place.trustedOwners.begin(), place.trustedOwners.end(), owner) != place.trustedOwners.end())
        return {};
    return Quoted(path) + L" belongs to " + (owner.empty() ? std::wstring(L"an owner that cannot be read") : owner) +
           L", not to the Administrators or SYSTEM, so another program may have written it";
}

std::vector<std::uint8_t> RemovalRecordBytes(const RemovalRecord& record) {
    return RegFileBytes(RegFileText(ContentOf(record)));
}

RemovalRecord ParseRemovalRecord(const CodePage& codePage, const std::vector<std::uint8_t>& bytes) {
    RegFileContent content = ParseRegFile(bytes);
    RemovalRecord record;
    if (!content.comments.empty() && content.comments.front() == kScopeComments[TabIndexOf(StartupScope::AllUsers)]) {
        record.scope = StartupScope::AllUsers;
    } else if (content.comments.empty() ||
               content.comments.front() != kScopeComments[TabIndexOf(StartupScope::CurrentUser)]) {
        throw Error(L"it does not say whose startup items it holds, as every removal record of Quillmark does");
    }
    for (const std::wstring& comment : content.comments) {
        if (auto file = SavedFileOf(comment)) record.files.push_back(std::move(*file));
        if (comment.rfind(kStampPrefix, 0) != 0 || record.writtenUtc != 0) continue;
        const auto stamp = ParseUtcStamp(comment.substr(std::size(kStampPrefix) - 1));
        if (!stamp || *stamp == 0) throw Error(L"the time it was written at cannot be read");
        record.writtenUtc = *stamp;
    }
    for (RegFileValue& value : content.values) {
        const bool mark = IsUnderStartupApproved(codePage, value.keyPath);
        (mark ? record.marks : record.values).push_back(std::move(value));
    }
    return record;
}

std::wstring WriteRemovalRecord(const Platform& platform, const RecordsPlace& place, RemovalRecord& record) {
    PrepareRecordsFolder(platform, place);
    record.writtenUtc = platform.environment.UtcNow();
    std::set<std::wstring> taken = {platform.codePage.Upper(kRemovalRecordFile), platform.codePage.Upper(kUndoneNote)};
    for (SavedStartupFile& file : record.files) file.copyName = CopyName(platform, file.originalPath, taken);
    // Read back before anything is written: a removal goes only with a
    // record that gives every name and byte back.
    const std::vector<std::uint8_t> bytes = RemovalRecordBytes(record);
    std::optional<RemovalRecord> back;
    try {
        back = ParseRemovalRecord(platform.codePage, bytes);
    } catch (const Error&) {
        TraceCaughtFailure();
    }
    if (!back || *back != record)
        throw Error(L"Nothing was removed: the removal record would not read back exactly as these entries are.");
    const std::wstring folder = NewRecordFolder(platform, place);
    for (const SavedStartupFile& file : record.files) {
        // The same bytes, attributes and last-write time.
        const std::wstring copy = folder + L"\\" + file.copyName;
        if (const std::uint32_t error = platform.files.CopyNew(file.originalPath, copy); error != kErrorSuccess)
            CannotWrite(platform, copy, error);
    }
    if (const std::uint32_t error = platform.files.WriteFile(folder + L"\\" + kRemovalRecordFile, bytes);
        error != kErrorSuccess)
        CannotWrite(platform, folder + L"\\" + kRemovalRecordFile, error);
    return folder;
}

bool RewriteRemovalRecord(const Platform& platform, const std::wstring& folder, const RemovalRecord& record) noexcept {
    try {
        return platform.files.WriteFile(folder + L"\\" + kRemovalRecordFile, RemovalRecordBytes(record)) ==
               kErrorSuccess;
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

bool MarkRecordUndone(const Platform& platform, const std::wstring& folder) noexcept {
    try {
        const std::vector<std::uint8_t> note =
            RegFileBytes(L"This removal was undone by Quillmark at " + UtcStampText(platform.environment.UtcNow()) +
                         L".\r\n");
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

NewestRecord FindNewestRecord(const Platform& platform, StartupScope scope, const RecordsPlace& place) noexcept {
    try {
        if (place.folder.empty() || !platform.files.DirectoryExists(place.folder)) return {};
        if (std::wstring why = DistrustOfPlace(platform, place); !why.empty())
            return NewestRecord{true, place.folder, {}, std::move(why)};
        std::optional<Candidate> newest;
        for (const FoundEntry& entry : platform.files.FindEntries(place.folder + L"\\*")) {
            if (!(entry.attributes & kAttrDirectory) || entry.name == L"." || entry.name == L"..") continue;
            auto candidate = CandidateAt(platform, scope, place, entry.name);
            if (!candidate) continue;
            const auto order = [](const Candidate& c) { return std::tie(c.stamp, c.suffix, c.name); };
            if (!newest || order(*candidate) > order(*newest)) newest = std::move(candidate);
        }
        return newest ? std::move(newest->newest) : NewestRecord{};
    } catch (...) {
        TraceCaughtFailure();
        return {};
    }
}

std::wstring UtcStampText(std::uint64_t fileTime) {
    using namespace std::chrono;
    const year_month_day date{sys_days{year{1601} / January / 1} + days{fileTime / kTicksPerDay}};
    const std::uint64_t inDay = fileTime % kTicksPerDay;
    const auto seconds = static_cast<unsigned>(inDay / kTicksPerSecond);
    return Digits(static_cast<unsigned>(static_cast<int>(date.year())), 4) + L"-" +
           Digits(static_cast<unsigned>(date.month()), 2) + L"-" + Digits(static_cast<unsigned>(date.day()), 2) + L" " +
           Digits(seconds / 3600, 2) + L":" + Digits(seconds / 60 % 60, 2) + L":" + Digits(seconds % 60, 2) + L"." +
           Digits(static_cast<unsigned>(inDay % kTicksPerSecond), 7) + L" UTC";
}

std::optional<std::uint64_t> ParseUtcStamp(const std::wstring& text) {
    using namespace std::chrono;
    const std::wstring form = L"0000-00-00 00:00:00.0000000 UTC";
    if (text.size() != form.size()) return std::nullopt;
    for (std::size_t i = 0; i < form.size(); ++i) {
        const bool digit = text[i] >= L'0' && text[i] <= L'9';
        if (form[i] == L'0' ? !digit : text[i] != form[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t count) {
        std::uint64_t value = 0;
        for (std::size_t i = at; i < at + count; ++i) value = value * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        return value;
    };
    const year_month_day date{year{static_cast<int>(number(0, 4))}, month{static_cast<unsigned>(number(5, 2))},
                              day{static_cast<unsigned>(number(8, 2))}};
    const std::uint64_t hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!date.ok() || date.year() < year{1601} || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    const auto dayCount = static_cast<std::uint64_t>((sys_days{date} - sys_days{year{1601} / January / 1}).count());
    return dayCount * kTicksPerDay + ((hour * 60 + minute) * 60 + second) * kTicksPerSecond + number(20, 7);
}

std::wstring PrintableName(const std::wstring& name) {
    std::wstring shown;
    for (const wchar_t c : name) {
        if (c >= 0x20 && c != 0x7F) {
            shown.push_back(c);
        } else if (c == L'\n' || c == L'\r' || c == L'\t') {
            shown += c == L'\n' ? L"\\n" : c == L'\r' ? L"\\r" : L"\\t";
        } else {
            wchar_t code[8];
            std::swprintf(code, 8, L"\\x%02x", static_cast<unsigned>(c));
            shown += code;
        }
    }
    return shown;
}

}  // namespace quillmark
