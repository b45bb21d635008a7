#include "app/data_folder.h"

#include "shellpath/shell_services.h"

namespace quillmark {

std::wstring DataFolder(const Platform& platform) {
    return SpecialFolderPath(platform, kCsidlPersonal) + L"\\Quillmark";
}

}  // namespace quillmark
