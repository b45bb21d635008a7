#include "app/window_keys.h"

#include "app/keys.h"

namespace quillmark {

Command WindowKeyCommand(const KeyStroke& stroke, FocusPlace place) noexcept {
    if (stroke.ctrl) {
        if (stroke.key == kKeyTab) return stroke.shift ? Command::PreviousTab : Command::NextTab;
        if (stroke.shift) return Command::None;
        if (stroke.key == kKeyPageDown) return Command::NextTab;
        if (stroke.key == kKeyPageUp) return Command::PreviousTab;
        if (stroke.key == kKeyA && place == FocusPlace::List) return Command::SelectAllRows;
        if (stroke.key == kKeyZ && place == FocusPlace::List) return Command::UndoRemoval;
        return Command::None;
    }
    if (stroke.shift) return Command::None;
    if (stroke.key == kKeyF5) return Command::Refresh;
    if (stroke.key == kKeyEscape && place == FocusPlace::AddPanel) return Command::CancelAdd;
    return Command::None;
}

int NeighbourTab(int current, int count, bool backwards) noexcept {
    if (count <= 0) return -1;
    const int from = current < 0 || current >= count ? 0 : current;
    return (from + (backwards ? count - 1 : 1)) % count;
}

}  // namespace quillmark
