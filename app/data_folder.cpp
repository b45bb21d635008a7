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

}  // namespace quillmark
