#pragma once
#include "app/commands.h"

namespace quillmark {

// A key pressed with the modifiers held at the time.
struct KeyStroke {
    int key = 0;  // virtual-key code
    bool ctrl = false;
    bool shift = false;
};

// Where the keyboard focus is when a key comes.
enum class FocusPlace { Elsewhere, AddPanel, List };

// Where a command's key is taken: by the window, wherever the focus is or
// only with the focus in the add panel or in a list, with exactly its
// modifiers; or by a list itself as the key reaches it (LVN_KEYDOWN),
// whatever modifiers are held.
enum class KeyPlace { Anywhere, AddPanel, List, ListItself };

// One key of a command (app/command_table.cpp).
struct CommandKey {
    int key = 0;  // virtual-key code
    KeyPlace place = KeyPlace::Anywhere;
    bool ctrl = false;
    bool shift = false;
};

// The command a key runs for the whole window, wherever the focus is in
// it, as Windows users expect from Task Manager and Settings: F5 refreshes,
// Ctrl+Tab and Ctrl+PageDown (with Shift, or Ctrl+PageUp: backwards) switch
// tabs, Esc in the add panel cancels it, Ctrl+A in a list selects every row
// and Ctrl+Z there undoes the tab's last removal.
// Command::None leaves the key to the control that has the focus.
Command WindowKeyCommand(const KeyStroke& stroke, FocusPlace place) noexcept;
// The command a key pressed on a list stands for (Enter and Space open,
// Delete removes); Command::None for any other key.
Command ListKeyCommand(int key) noexcept;

// The tab after `current` of `count` tabs, or before it going `backwards`; wraps round.
int NeighbourTab(int current, int count, bool backwards) noexcept;

}  // namespace quillmark
