#pragma once
#include <optional>

#include "app/main_view.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// What a command does with the selected tab.
enum class TabUse {
    Load,        // the lists' load: tabs 0 and 1 only, any other tab loads nothing
    RowCommand,  // Open, Open containing folder, Show Properties: every tab but 0 is the all-users one
    Delete,      // tab 1 is the all-users one, every other tab the current user's
    Add,         // as Delete: only tab 1 adds to the all-users Startup folder
};

// The scope and list a command acts on.
struct TabTarget {
    StartupScope scope;
    Role list;
};

// The one rule from the selected tab to the scope and list a command acts
// on. Only tabs 0 and 1 can be selected in the window; the uses differ for
// any other index (none selected, or the hidden search page) and keep those
// differences on purpose. Nothing: the command has nothing to act on.
std::optional<TabTarget> TargetOfTab(TabUse use, int tabIndex) noexcept;

}  // namespace quillmark
