#pragma once
// Reads and clicks a tab control that lives in another process.
#include <windows.h>

#include "tests/ui/support/handles.h"
#include "tests/ui/support/remote_buffer.h"

namespace quillmark::uitest {

class RemoteTabControl {
public:
    explicit RemoteTabControl(HWND tabs);

    int SelectedIndex() const;
    int TabCount() const;
    RECT TabRect(int index) const;
    // A left click in the middle of the tab, as the user makes it: the control
    // selects the tab and tells its parent (TCN_SELCHANGING, TCN_SELCHANGE).
    void ClickTab(int index) const;

private:
    HWND tabs_;
    UniqueKernelHandle process_;
    RemoteBuffer buffer_;
};

}  // namespace quillmark::uitest
