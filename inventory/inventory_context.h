#pragma once
#include "inventory/shortcut_workers.h"

namespace quillmark {

struct Platform;
class RegistryAccessor;
class TWindowsStartMan;
class ImageList;

// What the inventory operations work with: the platform, the main window's
// shared registry accessor and Startup-folder locator, and the shared image list.
struct InventoryContext {
    const Platform& platform;
    RegistryAccessor& registry;
    TWindowsStartMan& startMan;
    ImageList& images;
    // A load's Startup shortcuts are read on the calling thread unless this
    // allows more.
    ShortcutWorkers shortcutWorkers = {};
};

}  // namespace quillmark
