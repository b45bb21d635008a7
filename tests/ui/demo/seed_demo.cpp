// Seeds a Wine prefix with a small, realistic startup inventory in both
// scopes for scripts/run.sh. Run again, it rewrites the same entries.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <exception>

#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/package_seed.h"
#include "tests/ui/support/wine_settings.h"

using quillmark::uitest::InventorySeed;
using quillmark::uitest::PackageSeed;
using quillmark::uitest::Scope;

namespace {

void SeedCurrentUser(InventorySeed& seed) {
    seed.AddString(Scope::CurrentUser, L"Notepad Notes", L"\"C:\\windows\\notepad.exe\" C:\\windows\\win.ini");
    seed.AddString(Scope::CurrentUser, L"Version Check", L"%SystemRoot%\\system32\\winver.exe", REG_EXPAND_SZ);
    seed.AddDword(Scope::CurrentUser, L"Sync Counter", 42);
    seed.AddString(Scope::CurrentUser, L"Command Helper", L"\"C:\\windows\\system32\\cmd.exe\" /c echo ready");
    seed.AddShortcut(Scope::CurrentUser, L"Registry Editor.lnk", L"C:\\windows\\regedit.exe");
    seed.AddFile(Scope::CurrentUser, L"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    // Switched off as Task Manager does (1 December 2026): shown in grey.
    const BYTE disabled[12] = {3, 0, 0, 0, 0x00, 0x5c, 0x43, 0x89, 0x76, 0x81, 0xdd, 0x01};
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
                    L"Command Helper", REG_BINARY, disabled, sizeof(disabled));
    seed.AddStringAt(Scope::CurrentUser, quillmark::uitest::kRunOnceKeyPath, L"!Finish Setup",
                     L"\"C:\\windows\\system32\\cmd.exe\" /c echo finishing setup");
    seed.AddStringAt(Scope::CurrentUser, quillmark::uitest::kPolicyRunKeyPath, L"Team Chat",
                     L"\"C:\\Program Files\\Team Chat\\chat.exe\" --background");
}

// A Store-style app whose manifest declares a startup task, with its program.
void SeedPackagedApp(PackageSeed& packages) {
    packages.Add({L"Quill.WorldClock", L"ClockAtLogon", L"World Clock"},
                 L"C:\\windows\\system32\\clock.exe");
}

void SeedAllUsers(InventorySeed& seed) {
    seed.AddString(Scope::AllUsers, L"Shell Helper", L"C:\\windows\\explorer.exe /n");
    seed.AddString(Scope::AllUsers, L"Write Pad",
                   L"\"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe\" /min");
    seed.AddString(Scope::AllUsers, L"Old Updater", L"\"C:\\Program Files\\Old Updater\\update.exe\" -check");
    seed.AddString(Scope::AllUsers, L"Task Manager", L"%SystemRoot%\\system32\\taskmgr.exe", REG_EXPAND_SZ);
    seed.AddShortcut(Scope::AllUsers, L"Notepad.lnk", L"C:\\windows\\system32\\notepad.exe");
    seed.AddFile(Scope::AllUsers, L"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    seed.AddStringAt(Scope::AllUsers, quillmark::uitest::kRunOnceKeyPath, L"Driver Cleanup",
                     L"C:\\windows\\system32\\rundll32.exe setupapi.dll,InstallHinfSection");
    seed.AddStringAt(Scope::AllUsers, quillmark::uitest::kPolicyRunKeyPath, L"Company Notice",
                     L"C:\\windows\\notepad.exe C:\\windows\\win.ini");
}

}  // namespace

int main() {
    const HRESULT com = CoInitialize(nullptr);
    quillmark::uitest::UseMetricCompatibleFontsUnderWine();
    int status = 0;
    try {
        InventorySeed seed;
        PackageSeed packages;
        SeedCurrentUser(seed);
        SeedPackagedApp(packages);
        SeedAllUsers(seed);
        seed.Keep();
        packages.Keep();
        std::puts("demo inventory seeded");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "seeding failed: %s\n", error.what());
        status = 1;
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
