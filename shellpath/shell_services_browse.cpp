#include "platform/platform.h"
#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

std::wstring BrowseForFolder(const Platform& platform, const std::wstring& title, const std::wstring& initialFolder) {
    const std::wstring initial = initialFolder.empty() ? SpecialFolderPath(platform, kCsidlPersonal) : initialFolder;
    BrowseInfo info;
    info.title = title;
    info.flags = kBifReturnOnlyFsDirs | kBifEditBox | kBifNewDialogStyle;
    // The starting folder goes to the dialog exactly, in UTF-16; no folder
    // means no callback, and the dialog starts at its own default.
    info.preselect = initial;
    auto idList = platform.shell.BrowseForFolder(info);
    if (!idList) return {};
    std::wstring path;
    if (!platform.shell.GetPathFromIdListW(*idList, path)) path.clear();
    FreeIdList(idList);
    return path;
}

}  // namespace quillmark
