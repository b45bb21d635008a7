#pragma once
#include "platform/installer.h"
#include "platform/platform.h"
#include "platform/portable/map_environment.h"
#include "platform/portable/memory_file_system.h"
#include "platform/portable/memory_registry.h"
#include "platform/portable/windows1252_code_page.h"
#include "platform/shell.h"
#include "platform/shell_links.h"

namespace quillmark {

// One of each stand-in, for native tests: seed them through the accessors,
// hand View() to the code under test.
class PortablePlatform {
public:
    MemoryRegistry& registry() noexcept { return registry_; }
    MemoryFileSystem& files() noexcept { return files_; }
    MapEnvironment& environment() noexcept { return environment_; }
    const Windows1252CodePage& codePage() const noexcept { return codePage_; }
    ShellLinks& links() noexcept { return links_; }
    Installer& installer() noexcept { return installer_; }
    Shell& shell() noexcept { return shell_; }

    Platform View() noexcept {
        return Platform{registry_, files_, environment_, codePage_, links_, installer_, shell_};
    }

private:
    MemoryRegistry registry_;
    MemoryFileSystem files_;
    MapEnvironment environment_;
    Windows1252CodePage codePage_;
    ShellLinks links_;
    Installer installer_;
    Shell shell_;
};

}  // namespace quillmark
