#pragma once

namespace quillmark {

class Registry;
class FileSystem;
class Environment;
class CodePage;
class ShellLinks;
class Installer;
class Shell;
class PackageManifests;

// The operating-system services the portable code calls, bundled so one
// argument carries them. Windows fills it with the Win32 implementations
// (platform/win32), native tests with the stand-ins (tests/stand_ins).
struct Platform {
    Registry& registry;
    FileSystem& files;
    Environment& environment;
    const CodePage& codePage;
    ShellLinks& links;
    Installer& installer;
    Shell& shell;
    PackageManifests& manifests;
};

}  // namespace quillmark
