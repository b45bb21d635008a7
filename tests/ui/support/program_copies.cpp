#include "tests/ui/support/program_copies.h"

#include <windows.h>

namespace quillmark::uitest {

ProgramCopies::ProgramCopies(int count, const std::wstring& folderName) {
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + folderName;
    CreateDirectoryW(folder_.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        paths_.push_back(folder_ + L"\\program" + std::to_wstring(i) + L".exe");
        CopyFileW(L"C:\\windows\\system32\\notepad.exe", paths_.back().c_str(), FALSE);
    }
}

ProgramCopies::~ProgramCopies() {
    for (const std::wstring& path : paths_) DeleteFileW(path.c_str());
    RemoveDirectoryW(folder_.c_str());
}

}  // namespace quillmark::uitest
