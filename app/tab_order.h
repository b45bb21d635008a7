#pragma once
#include <functional>

#include "app/main_window_layout.h"

namespace quillmark {

// Whether a control of this kind is a stop of the Tab key: every control
// that runs a command or takes input, the flat buttons and the tab strip included.
bool IsTabStopKind(ComponentKind kind) noexcept;

// Whether the control can take the focus now: shown (with its parents) and enabled.
using TabStopAvailable = std::function<bool(const ComponentLayout&)>;

// The control the Tab key (or Shift+Tab, `backwards`) moves to from
// `current`, in reading order: the layout table lists the top toolbar, the
// add panel, the tab strip with its lists and the bottom panel, each left to
// right. The walk wraps round. From no control (or one that is no stop) it
// starts at the first or, backwards, the last. Null when no stop is available.
const ComponentLayout* NextTabStop(const ComponentLayout* current, bool backwards,
                                   const TabStopAvailable& available);

}  // namespace quillmark
