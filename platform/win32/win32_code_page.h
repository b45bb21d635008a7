#pragma once
#include "platform/code_page.h"

namespace quillmark {

// The system's ANSI code page (CP_ACP) and the user32 case mapping.
class Win32CodePage final : public CodePage {
public:
    std::string ToAnsi(const std::wstring& text) const override;
    std::wstring FromAnsi(const std::string& text) const override;
    std::wstring Upper(const std::wstring& text) const override;
    std::wstring Lower(const std::wstring& text) const override;
};

}  // namespace quillmark
