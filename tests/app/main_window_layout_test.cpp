#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace quillmark {
namespace {

// Every control a user can click or choose from, and every menu item, has a
// command, so no visible control of the window is left doing nothing.
TEST(MainWindowLayout, EveryClickableControlAndMenuItemHasACommand) {
    for (const ComponentLayout& component : MainWindowComponents()) {
        const bool clickable = component.kind == ComponentKind::FlatButton ||
                               component.kind == ComponentKind::PushButton ||
                               (component.kind == ComponentKind::Combo && (component.flags & kHidden) == 0);
        if (!clickable) continue;
        SCOPED_TRACE(component.name);
        EXPECT_NE(component.command, Command::None);
    }
    for (const MenuItemLayout& item : MainWindowMenuItems()) {
        if (std::wcscmp(item.caption, L"-") == 0) continue;
        SCOPED_TRACE(item.name);
        EXPECT_NE(item.command, Command::None);
    }
}

}  // namespace
}  // namespace quillmark
