#pragma once
#include "inventory/inventory_context.h"
#include "inventory/removal_record.h"
#include "inventory/windows_start_man.h"
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/portable_platform.h"
#include "platform/registry_accessor.h"

namespace quillmark {

// The stand-in platform with an inventory context around it, wired as the
// main window wires the real one: seed through world_, work through context_.
struct StandInInventory {
    PortablePlatform world_;
    Platform platform_ = world_.View();
    CountingImageList images_;
    RegistryAccessor registry_{platform_.registry};
    TWindowsStartMan startMan_{platform_};
    InventoryContext context_{platform_, registry_, startMan_, images_};
    // Where removals keep their records: the current user's in Documents,
    // the all users' under ProgramData, as the main window places them.
    RecordsPlace Records(StartupScope scope) {
        if (scope == StartupScope::CurrentUser) return {L"C:\\Users\\quill\\Documents\\Quillmark\\Removed", {}};
        world_.files().AddFolder(L"C:\\ProgramData");
        return {L"C:\\ProgramData\\Quillmark\\Removed", TrustedMachineOwners(platform_, L"C:\\ProgramData")};
    }
};

}  // namespace quillmark
