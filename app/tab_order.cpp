#include "app/tab_order.h"

#include <vector>

namespace quillmark {

bool IsTabStopKind(ComponentKind kind) noexcept {
    switch (kind) {
    case ComponentKind::PageControl:
    case ComponentKind::ListView:
    case ComponentKind::FlatButton:
    case ComponentKind::PushButton:
    case ComponentKind::Combo:
    case ComponentKind::Edit:
        return true;
    default:
        return false;
    }
}

const ComponentLayout* NextTabStop(const ComponentLayout* current, bool backwards,
                                   const TabStopAvailable& available) {
    std::vector<const ComponentLayout*> stops;
    int at = -1;
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (!IsTabStopKind(layout.kind)) continue;
        if (&layout == current) {
            at = static_cast<int>(stops.size());
        } else if (!available(layout)) {
            continue;
        }
        stops.push_back(&layout);
    }
    if (stops.empty()) return nullptr;
    if (at < 0) return backwards ? stops.back() : stops.front();
    const int count = static_cast<int>(stops.size());
    if (count == 1) return nullptr;
    return stops[(at + (backwards ? count - 1 : 1)) % count];
}

}  // namespace quillmark
