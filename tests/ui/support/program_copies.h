#pragma once
// Copies of one system program under names of their own, in the prefix's
// temporary folder, so each has its own file and the shell looks each up.
#include <string>
#include <vector>

namespace quillmark::uitest {

class ProgramCopies {
public:
    explicit ProgramCopies(int count, const std::wstring& folderName = L"qm-program-copies");
    // Removes the copies and their folder.
    ~ProgramCopies();
    ProgramCopies(const ProgramCopies&) = delete;
    ProgramCopies& operator=(const ProgramCopies&) = delete;

    const std::wstring& operator[](int i) const { return paths_[static_cast<std::size_t>(i)]; }

private:
    std::wstring folder_;
    std::vector<std::wstring> paths_;
};

}  // namespace quillmark::uitest
