#pragma once
#include <windows.h>

#include "app/win32/base_window.h"

namespace quillmark {

// `FrmAbout`: the About window. Created hidden at start, owned by the main
// window; shown modally from the help menu.
class TFrmAbout final : public BaseWindow {
public:
    void Create(HWND owner);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace quillmark
