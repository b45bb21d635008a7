#include "cli/entry_records.h"

#include <chrono>

#include "inventory/entry_status.h"
#include "inventory/package_repository.h"
#include "inventory/packaged_tasks.h"
#include "inventory/registry_key_paths.h"
#include "shellpath/path_text.h"

namespace quillmark {

namespace {

// The number with leading zeros to `width` digits.
std::wstring Digits(long long number, std::size_t width) {
    std::wstring text = std::to_wstring(number);
    return text.size() < width ? std::wstring(width - text.size(), L'0') + text : text;
}

std::wstring StateName(EntryState state) {
    switch (state) {
    case EntryState::Disabled: return L"disabled";
    case EntryState::ProgramNotFound: return L"program not found";
    case EntryState::Enabled: break;
    }
    return L"enabled";
}

std::wstring StatusOf(const StartupEntry& row, EntryState state) {
    // A task whose State a policy fixed cannot be switched here: a script is told so.
    const bool fixed = row.origin == EntryOrigin::PackagedTask && PackagedTaskLocked(row.task);
    return StateName(state) + (fixed ? L" (set by policy)" : L"");
}

}  // namespace

std::wstring ScopeName(StartupScope scope) { return scope == StartupScope::AllUsers ? L"all" : L"user"; }

std::wstring UtcTimeText(std::uint64_t fileTime) {
    if (fileTime == 0) return {};
    using namespace std::chrono;
    // FILETIME counts 100-nanosecond steps from 1601-01-01, which lies
    // 11644473600 seconds before the Unix epoch.
    constexpr std::int64_t kEpochDifference = 11644473600;
    // The time comes from a registry value anyone with write access may have
    // filled: a year past 9999 has no ISO 8601 text of four digits.
    constexpr std::int64_t kLastSecondOf9999 = 253402300799;
    const auto unixSeconds = static_cast<std::int64_t>(fileTime / 10000000) - kEpochDifference;
    if (unixSeconds > kLastSecondOf9999) return {};
    const sys_seconds time{seconds{unixSeconds}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    return Digits(static_cast<int>(date.year()), 4) + L"-" + Digits(static_cast<unsigned>(date.month()), 2) + L"-" +
           Digits(static_cast<unsigned>(date.day()), 2) + L"T" + Digits(clock.hours().count(), 2) + L":" +
           Digits(clock.minutes().count(), 2) + L":" + Digits(clock.seconds().count(), 2) + L"Z";
}

std::wstring SourcePlace(StartupScope scope, const StartupEntry& row) {
    switch (row.origin) {
    case EntryOrigin::RunValue: return RunKeyFullPath(scope, row.registryView, row.source);
    case EntryOrigin::PackagedTask:
        return FullKeyPath(RegistryRoot::CurrentUser,
                           std::wstring(kSystemAppDataKey) + L"\\" + row.task.familyName + L"\\" + row.task.taskId,
                           RegistryView::Default);
    case EntryOrigin::StartupFile: break;
    }
    const auto separator = row.location.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : row.location.substr(0, separator);
}

EntryRecord RecordOf(StartupScope scope, const StartupEntry& row, const std::wstring& program) {
    const EntryState state = StateOf(row);
    return EntryRecord{ScopeName(scope), SourceName(row.source), row.name, SourcePlace(scope, row), row.location,
                       StatusOf(row, state),
                       state == EntryState::Disabled ? UtcTimeText(row.approval.disabledAt) : std::wstring(),
                       // The program part of a command line keeps the blank after it.
                       Trim(program)};
}

}  // namespace quillmark
