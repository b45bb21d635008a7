#pragma once
#include "platform/installer.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"

namespace quillmark {

// The real operating-system services, wired once at program start.
class Win32Platform {
public:
    Platform View() noexcept {
        return Platform{registry_, files_, environment_, codePage_, links_, installer_, shell_};
    }

private:
    Win32Registry registry_;
    Win32FileSystem files_;
    Win32Environment environment_;
    Win32CodePage codePage_;
    ShellLinks links_;
    Installer installer_;
    Shell shell_;
};

}  // namespace quillmark
