#include "app/window_keys.h"

#include "app/command_table.h"

namespace quillmark {

namespace {

bool TakenAt(KeyPlace keyPlace, FocusPlace focus) noexcept {
    switch (keyPlace) {
    case KeyPlace::Anywhere: return true;
    case KeyPlace::AddPanel: return focus == FocusPlace::AddPanel;
    case KeyPlace::List: return focus == FocusPlace::List;
    case KeyPlace::ListItself: return false;
    }
    return false;
}

}  // namespace

Command WindowKeyCommand(const KeyStroke& stroke, FocusPlace place) noexcept {
    for (const CommandRow& row : CommandTable()) {
        for (const CommandKey& key : row.keys) {
            if (key.key == stroke.key && key.ctrl == stroke.ctrl && key.shift == stroke.shift &&
                TakenAt(key.place, place)) {
                return row.command;
            }
        }
    }
    return Command::None;
}

Command ListKeyCommand(int key) noexcept {
    for (const CommandRow& row : CommandTable()) {
        for (const CommandKey& listKey : row.keys) {
            if (listKey.place == KeyPlace::ListItself && listKey.key == key) return row.command;
        }
    }
    return Command::None;
}

int NeighbourTab(int current, int count, bool backwards) noexcept {
    if (count <= 0) return -1;
    const int from = current < 0 || current >= count ? 0 : current;
    return (from + (backwards ? count - 1 : 1)) % count;
}

}  // namespace quillmark
