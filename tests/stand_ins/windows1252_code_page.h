#pragma once
#include "platform/code_page.h"

namespace quillmark {

// The Western European ANSI code page (1252) as Windows converts it: the
// 0x80-0x9F block holds typographic characters, its five unassigned bytes
// map to the C1 controls of the same number, Latin Extended-A letters fall
// back to their base letter (the system's best-fit table) and everything
// else the code page lacks becomes "?".
class Windows1252CodePage final : public CodePage {
public:
    std::string ToAnsi(const std::wstring& text) const override;
    std::wstring FromAnsi(const std::string& text) const override;
    std::wstring Upper(const std::wstring& text) const override;
    std::wstring Lower(const std::wstring& text) const override;
};

}  // namespace quillmark
