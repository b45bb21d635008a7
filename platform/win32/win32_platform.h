#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_installer.h"
#include "platform/win32/win32_package_manifests.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shell_links.h"

namespace quillmark {

// The real operating-system services, wired once at program start.
class Win32Platform {
public:
    Platform View() noexcept {
        return Platform{registry_, files_, environment_, codePage_, links_, installer_, shell_, manifests_};
    }
    // The program gives these its windows once they exist, as owners of
    // what the shell shows.
    Win32ShellLinks& links() noexcept { return links_; }
    Win32Shell& shell() noexcept { return shell_; }

private:
    Win32Registry registry_;
    Win32FileSystem files_;
    Win32Environment environment_;
    Win32CodePage codePage_;
    Win32ShellLinks links_;
    Win32Installer installer_;
    Win32Shell shell_;
    Win32PackageManifests manifests_;
};

}  // namespace quillmark
