// Cost of loading one scope's list: N Run values, N Startup shortcuts, and
// both, each row pointing at one of four programs that exist (every shortcut
// costs a link load, every program an icon lookup). Prints the median of five
// loads, with the rows alone (what the window shows before any icon) and
// with the icons looked up on the same thread, and the cost per row; then,
// for 1,000 + 1,000, the time of each kind of call a load makes.
//   Windows (under Wine, in a private prefix): bench_load_scope.exe
//     seeds the prefix's current-user Run key and a Startup folder of its own
//     (the Shell Folders values point there while it runs), and cleans up.
//   Natively: bench_load_scope, on the stand-ins.
#ifdef _WIN32
#include <windows.h>
#include <objbase.h>

#include "platform/win32/com_apartment.h"
#include "platform/win32/win32_image_list.h"
#include "platform/win32/win32_platform.h"
#else
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/portable_platform.h"
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "inventory/load_scope.h"
#include "inventory/program_icons.h"
#include "inventory/shortcut_workers.h"
#include "inventory/windows_start_man.h"
#include "platform/registry_accessor.h"
#include "platform/shell_links.h"
#include "shellpath/command_line.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"

namespace quillmark {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

const wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring ValueName(int i) { return L"QmBench " + std::to_wstring(i); }

#ifdef _WIN32
// The real registry and shell of the prefix.
class World {
public:
    World() {
        wchar_t temp[MAX_PATH + 1] = L"";
        GetTempPathW(MAX_PATH, temp);
        startup_ = std::wstring(temp) + L"qm-bench-startup";
        CreateDirectoryW(startup_.c_str(), nullptr);
        const wchar_t* targets[] = {L"notepad.exe", L"regedit.exe", L"cmd.exe", L"winver.exe"};
        wchar_t system[MAX_PATH + 1] = L"";
        GetSystemDirectoryW(system, MAX_PATH);
        for (const wchar_t* target : targets) targets_.push_back(std::wstring(system) + L"\\" + target);
        // Wine rewrites "Shell Folders" from "User Shell Folders" whenever it
        // looks a special folder up, so both must name the bench folder.
        for (const wchar_t* key : {kShellFolders, kUserShellFolders}) {
            saved_.push_back(Read(key, L"StartUp"));
            Write(key, L"StartUp", startup_, REG_SZ);
        }
    }
    ~World() {
        Clear();
        const wchar_t* keys[] = {kShellFolders, kUserShellFolders};
        for (int i = 0; i < 2; ++i) Write(keys[i], L"StartUp", saved_[i].first, saved_[i].second);
        RemoveDirectoryW(startup_.c_str());
    }
    Platform View() { return platform_.View(); }
    std::unique_ptr<ImageList> NewImageList() {
        return std::make_unique<Win32ImageList>(16, [](int size) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, 0)));
    });
    }
    const std::wstring& Target(int i) const { return targets_[i % targets_.size()]; }
    const std::wstring& Startup() const { return startup_; }

    void SetRunValue(int i, const std::wstring& data) { Write(kRunKeyPath, ValueName(i).c_str(), data, REG_SZ); }
    void Clear() {
        for (int i = 0; i < values_; ++i) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) break;
            RegDeleteValueW(key, ValueName(i).c_str());
            RegCloseKey(key);
        }
        values_ = 0;
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW((startup_ + L"\\*.lnk").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do DeleteFileW((startup_ + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(find, &found));
        FindClose(find);
    }
    void CountValue() { ++values_; }

private:
    std::pair<std::wstring, DWORD> Read(const wchar_t* key, const wchar_t* name) {
        wchar_t buffer[2048] = L"";
        DWORD size = sizeof buffer - sizeof(wchar_t);
        DWORD type = REG_SZ;
        RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, buffer,
                     &size);
        return {buffer, type};
    }
    void Write(const wchar_t* keyPath, const wchar_t* name, const std::wstring& data, DWORD type) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    Win32Platform platform_;
    std::wstring startup_;
    std::vector<std::wstring> targets_;
    std::vector<std::pair<std::wstring, DWORD>> saved_;
    int values_ = 0;
};
#else
// The stand-ins, shaped like a Wine prefix.
class World {
public:
    World() {
        platform_.registry().CreateKey(RegistryRoot::CurrentUser, kRunKeyPath);
        platform_.registry().SetString(RegistryRoot::CurrentUser, kShellFolders, L"StartUp", startup_);
        platform_.files().AddFolder(startup_);
        for (const wchar_t* target : {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                      L"C:\\windows\\system32\\cmd.exe", L"C:\\windows\\system32\\winver.exe"}) {
            targets_.push_back(target);
            platform_.files().AddFile(target);
            platform_.shell().AddIcon(target);
        }
    }
    Platform View() { return platform_.View(); }
    std::unique_ptr<ImageList> NewImageList() { return std::make_unique<CountingImageList>(); }
    const std::wstring& Target(int i) const { return targets_[i % targets_.size()]; }
    const std::wstring& Startup() const { return startup_; }
    void SetRunValue(int i, const std::wstring& data) {
        platform_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, ValueName(i), data);
    }
    void CountValue() {}
    void Clear() {
        platform_.registry().DeleteKey(RegistryRoot::CurrentUser, kRunKeyPath);
        platform_.registry().CreateKey(RegistryRoot::CurrentUser, kRunKeyPath);
        platform_.files().Remove(startup_);
        platform_.files().AddFolder(startup_);
    }

private:
    PortablePlatform platform_;
    std::wstring startup_ = L"C:\\users\\bench\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    std::vector<std::wstring> targets_;
};
#endif

// What each shortcut thread runs first, as in the program.
#ifdef _WIN32
const ThreadSetup ThreadApartment = &EnterThreadApartment;
#else
const ThreadSetup ThreadApartment = {};
#endif

void Seed(World& world, int values, int shortcuts) {
    world.Clear();
    const Platform platform = world.View();
    for (int i = 0; i < values; ++i) {
        world.SetRunValue(i, L"\"" + world.Target(i) + L"\" /bench");
        world.CountValue();
    }
    for (int i = 0; i < shortcuts; ++i) CreateShortcutFile(platform, world.Target(i), L"Bench " + std::to_wstring(i), world.Startup());
}

struct LoadTimes {
    double rows;       // the rows, every icon still to be looked up
    double withIcons;  // rows and icons, one lookup per program
};

LoadTimes MedianLoad(World& world, std::size_t expectedRows, const ShortcutWorkers& workers = {}) {
    const Platform platform = world.View();
    std::vector<double> rowRuns, iconRuns;
    for (int run = 0; run < 5; ++run) {
        const auto images = world.NewImageList();
        RegistryAccessor registry(platform.registry);
        TWindowsStartMan startMan(platform);
        InventoryContext context{platform, registry, startMan, *images, workers};
        ScopeList list;
        const ProgramIcons none;
        rowRuns.push_back(SecondsOf([&] { LoadScopeRows(context, StartupScope::CurrentUser, list, none); }));
        iconRuns.push_back(SecondsOf([&] { LoadScope(context, StartupScope::CurrentUser, list); }));
        if (list.rows.size() != expectedRows)
            std::printf("  (warning: %zu rows, expected %zu)\n", list.rows.size(), expectedRows);
    }
    return {Median(rowRuns), Median(iconRuns)};
}

// Where one row's time goes: each call a load makes, timed on its own.
void PerCall(World& world, int n) {
    Seed(world, n, n);
    const Platform platform = world.View();
    RegistryAccessor registry(platform.registry);
    TWindowsStartMan startMan(platform);
    std::vector<std::wstring> names, files, commands, programs;
    registry.SetRoot(RegistryRoot::CurrentUser);
    registry.OpenKey(L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    const double enumerate = SecondsOf([&] { registry.GetValueNames(names); });
    const double read = SecondsOf([&] {
        for (const auto& name : names) commands.push_back(registry.ReadString(name));
    });
    registry.CloseKey();
    const double list = SecondsOf([&] { startMan.ListUserStartup(files); });
    std::vector<std::wstring> targets;
    const double resolveLinks = SecondsOf([&] {
        for (const auto& file : files) targets.push_back(ResolveShortcutTarget(platform, file));
    });
    ShortcutResolver resolver(platform);
    const double resolveReused = SecondsOf([&] {
        for (const auto& file : files) resolver.Resolve(file);
    });
    // The two calls a plain shortcut costs, on one object.
    double loadOnly = 0, getPathOnly = 0;
    {
        HResult created = kSOk;
        const auto link = platform.links.CreateWide(kClsctxInprocServer, false, created);
        if (link && Succeeded(link->QueryPersistFile())) {
            for (const auto& file : files) {
                std::wstring target;
                loadOnly += SecondsOf([&] { link->Load(file, kStgmRead); });
                getPathOnly += SecondsOf([&] { link->GetPath(kSlgpUncPriority, target); });
            }
        }
    }
    std::vector<std::pair<unsigned, double>> pooled;
    for (const unsigned threads : {1u, 2u, 4u, 8u}) {
        const ShortcutWorkers workers{threads, ThreadApartment};
        pooled.emplace_back(threads, SecondsOf([&] { ShortcutBatch(platform, files, workers).Finish(); }));
    }
    const double makeLinks = SecondsOf([&] {
        for (std::size_t i = 0; i < files.size(); ++i) {
            HResult created = kSOk;
            platform.links.CreateWide(kClsctxInprocServer, false, created);
        }
    });
    const double resolveCommands = SecondsOf([&] {
        for (const auto& command : commands) programs.push_back(ProgramPathFromCommand(platform, ResolveShortcutTarget(platform, command)));
        for (const auto& target : targets) programs.push_back(ProgramPathFromCommand(platform, target));
    });
    const auto images = world.NewImageList();
    const double icons = SecondsOf([&] {
        for (const auto& program : programs) AddFileIcon(platform, *images, program);
    });
    ProgramIcons known;
    const double keys = SecondsOf([&] {
        for (const auto& program : programs) known.Find(ProgramIcons::KeyOf(platform, program));
    });
    // Microseconds per call, and the total in milliseconds.
    const auto printLine = [](const char* what, double seconds, std::size_t calls) {
        std::printf("  %-44s %10.1f %10.1f\n", what, calls ? seconds * 1e6 / calls : 0.0, seconds * 1e3);
    };
    std::printf("\nPer call, %d values + %d shortcuts (microseconds per call, total ms):\n", n, n);
    printLine("value names (one enumeration)", enumerate, 1);
    printLine("read string (per value)", read, names.size());
    printLine("list Startup folder (one listing)", list, 1);
    printLine("shortcut, a link object each (per .lnk)", resolveLinks, files.size());
    printLine("shortcut, one link object (per .lnk)", resolveReused, files.size());
    printLine("  of which IPersistFile::Load (per .lnk)", loadOnly, files.size());
    printLine("  of which IShellLinkW::GetPath (per .lnk)", getPathOnly, files.size());
    for (const auto& [threads, seconds] : pooled) {
        const std::string what = "shortcuts on " + std::to_string(threads) + " thread(s) (per .lnk)";
        printLine(what.c_str(), seconds, files.size());
    }
    printLine("link object made and released (per object)", makeLinks, files.size());
    printLine("program path from command (per row)", resolveCommands, programs.size());
    printLine("icon lookup + append (per row)", icons, programs.size());
    printLine("program key: case fold + write time (per row)", keys, programs.size());
}

// Rows of 1,000 + 1,000 with the shortcuts read on 1 to 4 threads.
void ByThreads(World& world) {
    Seed(world, 1000, 1000);
    std::printf("\nRows only, 1000 values + 1000 shortcuts, by threads reading shortcuts (median ms):\n");
    for (const unsigned threads : {1u, 2u, 3u, 4u}) {
        const LoadTimes median = MedianLoad(world, 2000, ShortcutWorkers{threads, ThreadApartment});
        std::printf("  %u thread(s) %10.1f   with icons %10.1f\n", threads, median.rows * 1e3, median.withIcons * 1e3);
        std::fflush(stdout);
    }
}

int Run(bool threadsOnly) {
    World world;
    if (threadsOnly) {
        ByThreads(world);
        PerCall(world, 1000);
        world.Clear();
        return 0;
    }
#ifdef _WIN32
    std::printf("LoadScope on the real registry, Startup folder and shell (Win32)\n");
#else
    std::printf("LoadScope on the stand-ins (native)\n");
#endif
    std::printf("%-10s %8s %8s %14s %14s %16s\n", "part", "N", "rows", "rows only ms", "with icons ms",
                "per row us");
    for (const int n : {100, 1000, 5000}) {
        struct Part {
            const char* name;
            int values;
            int shortcuts;
        };
        for (const Part& part : {Part{"registry", n, 0}, Part{"folder", 0, n}, Part{"both", n, n}}) {
            Seed(world, part.values, part.shortcuts);
            const std::size_t rows = static_cast<std::size_t>(part.values + part.shortcuts);
            const LoadTimes median = MedianLoad(world, rows);
            std::printf("%-10s %8d %8zu %14.1f %14.1f %16.1f\n", part.name, n, rows, median.rows * 1e3,
                        median.withIcons * 1e3, median.withIcons * 1e6 / rows);
            std::fflush(stdout);
        }
    }
    ByThreads(world);
    PerCall(world, 1000);
    world.Clear();
    return 0;
}

}  // namespace
}  // namespace quillmark

// With "threads", only the rows of 1,000 + 1,000 by threads.
int main(int argc, char** argv) {
    const bool threadsOnly = argc > 1 && std::string(argv[1]) == "threads";
#ifdef _WIN32
    // The shell link object needs a single-threaded apartment, as in the program.
    const HRESULT com = CoInitialize(nullptr);
    const int result = quillmark::Run(threadsOnly);
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
#else
    return quillmark::Run(threadsOnly);
#endif
}
