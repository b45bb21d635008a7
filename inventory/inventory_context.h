#pragma once
#include "inventory/shortcut_workers.h"
#include "shellpath/shell_services.h"

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
    // Whether removal lets the shell ask before deleting a Startup file for
    // good where its volume has no recycle bin. The removal record holds a
    // copy of the file either way.
    WithoutRecycleBin withoutRecycleBin = WithoutRecycleBin::AskFirst;
};

}  // namespace quillmark
