#include "inventory/entry_source.h"

#include "inventory/registry_key_paths.h"

namespace quillmark {

std::wstring SourceName(const StartupEntry& row) {
    switch (row.origin) {
    case EntryOrigin::RunValue: return L"Run";
    case EntryOrigin::StartupFile: return L"Startup folder";
    }
    return {};
}

std::wstring SourcePlace(StartupScope scope, const StartupEntry& row) {
    if (row.origin == EntryOrigin::RunValue) return RunKeyFullPath(scope, row.registryView);
    const auto separator = row.location.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : row.location.substr(0, separator);
}

}  // namespace quillmark
