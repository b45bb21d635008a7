#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmark {
namespace {

// Every component and menu item that names a handler has it attached, so no
// visible control of the window is left doing nothing.
TEST(MainWindowLayout, EveryNamedHandlerIsAttached) {
    for (const ComponentLayout& component : MainWindowComponents()) {
        if (component.handlerName == nullptr) continue;
        SCOPED_TRACE(std::wstring(component.name) + L" runs " + component.handlerName);
        EXPECT_NE(component.handler, nullptr);
    }
    for (const MenuItemLayout& item : MainWindowMenuItems()) {
        if (item.handlerName == nullptr) continue;
        SCOPED_TRACE(std::wstring(item.name) + L" runs " + item.handlerName);
        EXPECT_NE(item.handler, nullptr);
    }
}

}  // namespace
}  // namespace quillmark
