#include "inventory/entry_status.h"

#include "platform/environment.h"
#include "platform/platform.h"

namespace quillmark {

std::wstring StatusText(const Platform& platform, const StartupEntry& row) {
    if (row.approval.disabled) {
        const std::wstring date =
            row.approval.disabledAt == 0 ? std::wstring() : platform.environment.ShortDate(row.approval.disabledAt);
        return date.empty() ? L"Disabled" : L"Disabled " + date;
    }
    return row.program == ProgramPresence::Missing ? L"Program not found" : L"Enabled";
}

}  // namespace quillmark
