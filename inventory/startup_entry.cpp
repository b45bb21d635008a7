#include "inventory/startup_entry.h"

namespace quillmark {

const wchar_t* SourceName(EntrySource source) noexcept {
    switch (source) {
    case EntrySource::Run: return L"Run";
    case EntrySource::StartupFolder: return L"Startup folder";
    case EntrySource::RunOnce: return L"Run once";
    case EntrySource::Policy: return L"Policy";
    case EntrySource::PackagedApp: return L"App";
    }
    return L"";
}

bool HasApprovalMark(const StartupEntry& row) noexcept {
    return row.source == EntrySource::Run || row.source == EntrySource::StartupFolder;
}

}  // namespace quillmark
