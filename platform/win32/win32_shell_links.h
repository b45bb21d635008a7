#pragma once
#include <windows.h>

#include "platform/shell_links.h"

namespace quillmark {

// The shell's link object through COM. The calling thread must be in a COM
// apartment (the program enters one at start-up).
class Win32ShellLinks final : public ShellLinks {
public:
    // The window that owns what IShellLinkW::Resolve shows; none by default.
    void SetOwnerWindow(HWND owner) noexcept { owner_ = owner; }

    std::unique_ptr<WideShellLink> CreateWide(std::uint32_t context, bool throughUnknown, HResult& result) override;
    std::wstring MessageFor(HResult code) const override;

private:
    HWND owner_ = nullptr;
};

}  // namespace quillmark
