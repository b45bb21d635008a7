// Every path rule as a 64-bit process and as a 32-bit one on 64-bit Windows
// (WOW64) meets it: the 32-bit exe must find what the 64-bit shell that
// starts the entries finds. Each world's environment and shell answers are
// the ones Windows gives that kind of process.
#include "shellpath/wow64_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "inventory/program_lookup.h"
#include "shellpath/command_line.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"
#include "tests/stand_ins/portable_platform.h"

namespace quillmark {
namespace {

enum class Rule { Reachable, WindowsName, Command, Shortcut, Picker, OpenFolder, LookUp };

struct Wow64Case {
    const char* what;
    Rule rule;
    const wchar_t* input;  // a path, a command line or a shortcut's stored target; Picker, OpenFolder: unused
    const wchar_t* sixtyFourBit;  // the result in a 64-bit process
    const wchar_t* wow64;         // the result in a 32-bit process under WOW64
    int csidl = 0;                // Picker, OpenFolder
    // Shortcut: what the link object's GetPath answers under WOW64 (a 64-bit
    // process's answers the 64-bit path itself).
    const wchar_t* linkUnderWow64 = L"";
};

constexpr wchar_t kLink[] = L"C:\\Users\\me\\Startup\\App.lnk";

void SeedWorld(PortablePlatform& world, bool wow64) {
    MapEnvironment& environment = world.environment();
    environment.SetWow64(wow64);
    environment.SetSystemFolder(L"C:\\Windows\\system32");
    environment.Set(L"SystemRoot", L"C:\\Windows");
    environment.Set(L"ProgramFiles", wow64 ? L"C:\\Program Files (x86)" : L"C:\\Program Files");
    environment.Set(L"CommonProgramFiles",
                    wow64 ? L"C:\\Program Files (x86)\\Common Files" : L"C:\\Program Files\\Common Files");
    environment.Set(L"ProgramFiles(x86)", L"C:\\Program Files (x86)");
    environment.Set(L"ProgramW6432", L"C:\\Program Files");
    environment.Set(L"CommonProgramW6432", L"C:\\Program Files\\Common Files");
    RecordingShell& shell = world.shell();
    shell.SetFolderPathW(kCsidlProgramFiles, wow64 ? L"C:\\Program Files (x86)" : L"C:\\Program Files");
    shell.SetFolderPathW(kCsidlProgramFilesCommon,
                         wow64 ? L"C:\\Program Files (x86)\\Common Files" : L"C:\\Program Files\\Common Files");
    shell.SetFolderPathW(kCsidlSystem, L"C:\\Windows\\system32");
    shell.SetFolderPathW(kCsidlPersonal, L"C:\\Users\\me\\Documents");
    shell.SetFolderLocation(kCsidlProgramFiles, wow64 ? L"C:\\Program Files (x86)" : L"C:\\Program Files");
    shell.SetFolderLocation(kCsidlDrives, L"");
}

std::wstring Apply(PortablePlatform& world, const Wow64Case& c, bool wow64) {
    const Platform platform = world.View();
    const std::wstring expected = wow64 ? c.wow64 : c.sixtyFourBit;
    switch (c.rule) {
        case Rule::Reachable: return ReachablePath(platform, c.input);
        case Rule::WindowsName: return WindowsNamedPath(platform, c.input);
        case Rule::Command: return ProgramPathFromCommand(platform, c.input);
        case Rule::Shortcut: {
            LinkRecord link;
            link.rawTarget = c.input;
            link.target = wow64 ? c.linkUnderWow64 : c.sixtyFourBit;
            world.links().AddLink(kLink, link);
            return ResolveShortcutTarget(platform, kLink);
        }
        case Rule::Picker: return PickerFolderPath(platform, c.csidl);
        case Rule::OpenFolder: {
            OpenSpecialFolder(platform, c.csidl);
            const auto& executed = world.shell().Executed();
            if (executed.size() != 1) return L"<opened " + std::to_wstring(executed.size()) + L" times>";
            const ExecuteRecord& opened = executed.front();
            return opened.idListPath ? *opened.idListPath : opened.file;
        }
        case Rule::LookUp: {
            // The file lies where this process sees it; the lookup must look there.
            world.files().AddFile(expected);
            world.shell().AddIcon(expected);
            const ProgramLookup lookup = LookUpProgram(platform, c.input, std::nullopt, 16);
            if (lookup.presence != ProgramPresence::Found || !lookup.icon) return L"<not found>";
            return world.shell().IconRequests().back();
        }
    }
    return {};
}

class Wow64PathTest : public ::testing::TestWithParam<Wow64Case> {};

TEST_P(Wow64PathTest, TheThirtyTwoBitExeFindsWhatTheSixtyFourBitShellStarts) {
    SCOPED_TRACE(GetParam().what);
    for (const bool wow64 : {false, true}) {
        SCOPED_TRACE(wow64 ? "32-bit process under WOW64" : "64-bit process");
        PortablePlatform world;
        SeedWorld(world, wow64);
        EXPECT_EQ(Apply(world, GetParam(), wow64), wow64 ? GetParam().wow64 : GetParam().sixtyFourBit);
    }
}

std::string CaseName(const ::testing::TestParamInfo<Wow64Case>& info) { return "case" + std::to_string(info.index); }

constexpr Wow64Case kCases[] = {
    {"a program in System32", Rule::Reachable, L"C:\\Windows\\System32\\SecurityHealthSystray.exe",
     L"C:\\Windows\\System32\\SecurityHealthSystray.exe", L"C:\\Windows\\Sysnative\\SecurityHealthSystray.exe"},
    {"any letter case; the folder itself", Rule::Reachable, L"c:\\WINDOWS\\SYSTEM32", L"c:\\WINDOWS\\SYSTEM32",
     L"C:\\Windows\\Sysnative"},
    {"drivers is redirected", Rule::Reachable, L"C:\\Windows\\System32\\drivers\\x.sys",
     L"C:\\Windows\\System32\\drivers\\x.sys", L"C:\\Windows\\Sysnative\\drivers\\x.sys"},
    {"drivers\\etc is exempt", Rule::Reachable, L"C:\\Windows\\System32\\drivers\\etc\\hosts",
     L"C:\\Windows\\System32\\drivers\\etc\\hosts", L"C:\\Windows\\System32\\drivers\\etc\\hosts"},
    {"spool is exempt", Rule::Reachable, L"C:\\Windows\\System32\\spool\\drivers\\x.dll",
     L"C:\\Windows\\System32\\spool\\drivers\\x.dll", L"C:\\Windows\\System32\\spool\\drivers\\x.dll"},
    {"catroot2 is exempt", Rule::Reachable, L"C:\\Windows\\System32\\CatRoot2\\x",
     L"C:\\Windows\\System32\\CatRoot2\\x", L"C:\\Windows\\System32\\CatRoot2\\x"},
    {"a folder that merely starts like System32", Rule::Reachable, L"C:\\Windows\\System32x\\a.exe",
     L"C:\\Windows\\System32x\\a.exe", L"C:\\Windows\\System32x\\a.exe"},
    {"SysWOW64 means SysWOW64", Rule::Reachable, L"C:\\Windows\\SysWOW64\\a.exe", L"C:\\Windows\\SysWOW64\\a.exe",
     L"C:\\Windows\\SysWOW64\\a.exe"},
    {"Program Files is not redirected", Rule::Reachable, L"C:\\Program Files\\App\\a.exe",
     L"C:\\Program Files\\App\\a.exe", L"C:\\Program Files\\App\\a.exe"},
    {"another drive's Windows folder", Rule::Reachable, L"D:\\Windows\\System32\\a.exe",
     L"D:\\Windows\\System32\\a.exe", L"D:\\Windows\\System32\\a.exe"},
    {"a file picked through Sysnative is written as System32", Rule::WindowsName,
     L"C:\\Windows\\Sysnative\\notepad.exe", L"C:\\Windows\\Sysnative\\notepad.exe",
     L"C:\\Windows\\system32\\notepad.exe"},
    {"only the alias itself", Rule::WindowsName, L"C:\\Windows\\SysnativeX\\a.exe", L"C:\\Windows\\SysnativeX\\a.exe",
     L"C:\\Windows\\SysnativeX\\a.exe"},
    {"%ProgramFiles% is the 64-bit folder", Rule::Command, L"%ProgramFiles%\\App\\app.exe /x",
     L"C:\\Program Files\\App\\app.exe ", L"C:\\Program Files\\App\\app.exe "},
    {"%CommonProgramFiles%, any letter case", Rule::Command, L"\"%commonprogramfiles%\\App\\a.exe\" -x",
     L"C:\\Program Files\\Common Files\\App\\a.exe", L"C:\\Program Files\\Common Files\\App\\a.exe"},
    {"%ProgramFiles(x86)% stays the 32-bit folder", Rule::Command, L"%ProgramFiles(x86)%\\App\\a.exe",
     L"C:\\Program Files (x86)\\App\\a.exe", L"C:\\Program Files (x86)\\App\\a.exe"},
    {"%SystemRoot%\\System32 is named, not redirected, here", Rule::Command,
     L"%SystemRoot%\\System32\\SecurityHealthSystray.exe", L"C:\\Windows\\System32\\SecurityHealthSystray.exe",
     L"C:\\Windows\\System32\\SecurityHealthSystray.exe"},
    {"a shortcut's stored %ProgramFiles% form", Rule::Shortcut, L"%ProgramFiles%\\App\\app.exe",
     L"C:\\Program Files\\App\\app.exe", L"C:\\Program Files\\App\\app.exe", 0,
     L"C:\\Program Files (x86)\\App\\app.exe"},
    {"a stored form naming no variable gives way", Rule::Shortcut, L"%UNDEFINED%\\app.exe", L"C:\\Tools\\app.exe",
     L"C:\\Tools\\app.exe", 0, L"C:\\Tools\\app.exe"},
    {"the picker's Program Files", Rule::Picker, L"", L"C:\\Program Files", L"C:\\Program Files", kCsidlProgramFiles},
    {"the picker's Common Files", Rule::Picker, L"", L"C:\\Program Files\\Common Files",
     L"C:\\Program Files\\Common Files", kCsidlProgramFilesCommon},
    {"the picker's System", Rule::Picker, L"", L"C:\\Windows\\system32", L"C:\\Windows\\Sysnative", kCsidlSystem},
    {"the picker's Documents", Rule::Picker, L"", L"C:\\Users\\me\\Documents", L"C:\\Users\\me\\Documents",
     kCsidlPersonal},
    {"the folder list's Program Files", Rule::OpenFolder, L"", L"C:\\Program Files", L"C:\\Program Files",
     kCsidlProgramFiles},
    {"My Computer has no path", Rule::OpenFolder, L"", L"", L"", kCsidlDrives},
    {"a System32 program is looked at where it is", Rule::LookUp, L"C:\\Windows\\System32\\qm.exe",
     L"C:\\Windows\\System32\\qm.exe", L"C:\\Windows\\Sysnative\\qm.exe"},
};

INSTANTIATE_TEST_SUITE_P(Rules, Wow64PathTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace quillmark
