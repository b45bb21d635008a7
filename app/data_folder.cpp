#include "app/data_folder.h"

#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/path_text.h"
#include "shellpath/shell_services.h"

namespace quillmark {

std::wstring DataFolder(const Platform& platform) {
    std::wstring documents;
    // S_FALSE (a folder that does not exist yet) still carries the path.
    if (!Succeeded(platform.shell.GetFolderPathW(kCsidlPersonal, documents)) || Trim(documents).empty()) return {};
    return documents + L"\\Quillmark";
}

RecordsPlace RecordsPlaceOf(const Platform& platform, StartupScope scope) {
    if (scope == StartupScope::CurrentUser) {
        const std::wstring data = DataFolder(platform);
        return RecordsPlace{data.empty() ? std::wstring() : data + L"\\Removed", {}};
    }
    std::wstring machineData;
    if (!Succeeded(platform.shell.GetFolderPathW(kCsidlCommonAppData, machineData)) || Trim(machineData).empty())
        return RecordsPlace{{}, TrustedMachineOwners(platform, {})};
    while (!machineData.empty() && machineData.back() == L'\\') machineData.pop_back();
    return RecordsPlace{machineData + L"\\Quillmark\\Removed", TrustedMachineOwners(platform, machineData)};
}

}  // namespace quillmark
