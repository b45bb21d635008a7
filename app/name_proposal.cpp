#include "app/name_proposal.h"

#include "shellpath/path_text.h"

namespace quillmark {

std::wstring ProposedName(const std::wstring& path) {
    std::wstring name = ExtractFileName(Trim(path));
    if (Trim(path).starts_with(L"http")) {
        name = name.size() > 2 ? name.substr(2) : std::wstring();
        if (!name.empty() && name.back() == L'/') name.pop_back();
    }
    return name;
}

}  // namespace quillmark
