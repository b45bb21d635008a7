// LoadScope against each contract backend: the stand-ins natively, the test
// prefix's real registry, Startup folders and shell under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "inventory/load_scope.h"
#include "platform/code_page.h"
#include "tests/stand_ins/link_table.h"
#include "tests/stand_ins/memory_registry.h"
#include "tests/stand_ins/recording_shell.h"
#include "shellpath/shortcut_target.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {
namespace {

constexpr auto kUser = StartupScope::CurrentUser;
constexpr auto kAll = StartupScope::AllUsers;

enum class Icon { BuiltIn, None, Shell };

struct ExpectedRow {
    std::wstring name;
    std::wstring location;
    EntryOrigin origin;
    Icon icon;
    std::wstring iconOf;  // the path whose icon the stand-in shell must have been asked for
};

void ExpectSingleRow(InventoryWorld& world, const ExpectedRow& expected) {
    const int imagesBefore = world.images().Count();
    const ScopeList list = world.Load(kUser);
    ASSERT_EQ(list.rows.size(), 1u) << testing::PrintToString(RowNames(list));
    const StartupEntry& row = list.rows.front();
    EXPECT_EQ(row.name, expected.name);
    EXPECT_EQ(row.location, expected.location);
    EXPECT_EQ(row.origin, expected.origin);
    switch (expected.icon) {
        case Icon::BuiltIn: EXPECT_EQ(row.iconIndex, 0); break;
        case Icon::None: EXPECT_EQ(row.iconIndex, -1); break;
        case Icon::Shell: EXPECT_EQ(row.iconIndex, imagesBefore); break;
    }
    EXPECT_EQ(world.images().Count(), imagesBefore + (expected.icon == Icon::Shell ? 1 : 0));
    // The real shell keeps no record of what it was asked; the caller says so.
    if (world.shell() != nullptr && !expected.iconOf.empty()) {
        ASSERT_FALSE(world.shell()->IconRequests().empty());
        EXPECT_EQ(world.shell()->IconRequests().back(), expected.iconOf);
    }
}

struct LoadCase {
    const char* what;
    std::function<ExpectedRow(InventoryWorld&)> arrange;
};

const LoadCase kLoadCases[] = {
    {"plain file outside code page 1252: listed, named in full",
     [](InventoryWorld& w) {
         const std::wstring file = w.Program(w.StartupFolder(kUser), L"\u0424 plain.exe");
         return ExpectedRow{L"\u0424 plain.exe", file, EntryOrigin::StartupFile, Icon::Shell, file};
     }},
    {"REG_DWORD value: its name, no location, the built-in image",
     [](InventoryWorld& w) {
         w.SetRunValue(kUser, L"X", kRegDword, {1, 0, 0, 0});
         return ExpectedRow{L"X", L"", EntryOrigin::RunValue, Icon::BuiltIn, L""};
     }},
    {"quoted program with arguments: data as stored, icon of the program",
     [](InventoryWorld& w) {
         const std::wstring app = w.Program(w.Folder(L"App", L"C:\\Program Files"), L"app.exe");
         const std::wstring data = L"\"" + app + L"\" /min";
         w.SetRunString(kUser, L"Quoted", data);
         return ExpectedRow{L"Quoted", data, EntryOrigin::RunValue, Icon::Shell, app};
     }},
    {"quoted program in Polish, Cyrillic and Chinese folders: icon of that program",
     [](InventoryWorld& w) {
         const std::wstring folder = w.FolderAt(w.Folder(L"\u0141ukasz") + L"\\\u0414\u043e\u043c \u4e2d\u6587");
         const std::wstring app = w.Program(folder, L"app.exe");
         const std::wstring data = L"\"" + app + L"\" /m";
         w.SetRunString(kUser, L"Wide", data);
         return ExpectedRow{L"Wide", data, EntryOrigin::RunValue, Icon::Shell, app};
     }},
    {"%ProgramFiles% shown unexpanded, icon of the expanded program",
     [](InventoryWorld& w) {
         const std::wstring folder = w.Folder(L"Env", L"C:\\Program Files");
         const std::wstring app = w.Program(folder, L"env.exe");
         const std::wstring data = L"%ProgramFiles%" + folder.substr(16) + L"\\env.exe";
         w.SetRunString(kUser, L"Env", data, kRegExpandSz);
         return ExpectedRow{L"Env", data, EntryOrigin::RunValue, Icon::Shell, app};
     }},
    {"program that does not exist: no image",
     [](InventoryWorld& w) {
         const std::wstring data = w.Folder(L"Gone") + L"\\gone.exe";
         w.SetRunString(kUser, L"Gone", data);
         return ExpectedRow{L"Gone", data, EntryOrigin::RunValue, Icon::None, data};
     }},
    {"value name and data outside code page 1252",
     [](InventoryWorld& w) {
         const std::wstring app = w.Program(w.Folder(L"\u4e2d"), L"\u0416.exe");
         w.SetRunString(kUser, L"\u041f\u0443\u0441\u043a", app);
         return ExpectedRow{L"\u041f\u0443\u0441\u043a", app, EntryOrigin::RunValue, Icon::Shell, app};
     }},
    {"App.lnk is named after its target",
     [](InventoryWorld& w) {
         const std::wstring app = w.Program(w.Folder(L"Tools"), L"app.exe");
         const std::wstring link = w.Shortcut(kUser, L"App", app);
         return ExpectedRow{L"app.exe", link, EntryOrigin::StartupFile, Icon::Shell, app};
     }},
    {"shortcut to a drive root is named by the whole path",
     [](InventoryWorld& w) {
         if (w.shell() != nullptr) w.shell()->AddIcon(L"C:\\");
         const std::wstring link = w.Shortcut(kUser, L"Root", L"C:\\");
         return ExpectedRow{L"C:\\", link, EntryOrigin::StartupFile, Icon::Shell, L"C:\\"};
     }},
    {"shortcut to a folder is named after the folder",
     [](InventoryWorld& w) {
         const std::wstring folder = w.FolderAt(w.Folder(L"Parent") + L"\\Data");
         if (w.shell() != nullptr) w.shell()->AddIcon(folder);
         const std::wstring link = w.Shortcut(kUser, L"Data link", folder);
         return ExpectedRow{L"Data", link, EntryOrigin::StartupFile, Icon::Shell, folder};
     }},
    {"shortcut whose target is gone: named after it, no image",
     [](InventoryWorld& w) {
         const std::wstring app = w.File(w.Folder(L"Moved") + L"\\moved.exe");
         const std::wstring link = w.Shortcut(kUser, L"Moved", app);
         w.Remove(app);
         return ExpectedRow{L"moved.exe", link, EntryOrigin::StartupFile, Icon::None, app};
     }},
    {"shortcut file name outside code page 1252 is listed",
     [](InventoryWorld& w) {
         const std::wstring app = w.Program(w.Folder(L"Wide"), L"wide.exe");
         const std::wstring link = w.Shortcut(kUser, L"\u0416\u4e2d", app);
         return ExpectedRow{L"wide.exe", link, EntryOrigin::StartupFile, Icon::Shell, app};
     }},
};

TEST_P(ContractTest, InventoryLoadShowsEachKindOfEntry) {
    bool recordedOnlyByStandIns = false;
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.what);
        InventoryWorld world(*this, *backend_, GetParam().name);
        ExpectSingleRow(world, c.arrange(world));
        if (world.shell() == nullptr) recordedOnlyByStandIns = true;
    }
    if (recordedOnlyByStandIns) GTEST_SKIP() << "the real shell keeps no record of the icons it was asked for: checked on the stand-ins";
}

TEST_P(ContractTest, InventoryLoadEmptyScopeSetsCaptionsOnly) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    ScopeList list;
    list.rows.resize(3);  // what an earlier load left
    LoadScope(world.context(), kUser, list);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.nameCaption, L"  Name  ");
    EXPECT_EQ(list.locationCaption, L"  Location  ");
}

TEST_P(ContractTest, InventoryLoadSkipsHiddenFilesAndSubfolders) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring folder = world.StartupFolder(kUser);
    world.File(folder + L"\\desktop.ini", kAttrHidden | kAttrSystem);
    world.File(folder + L"\\hidden.txt", kAttrHidden);
    const std::wstring sub = world.Folder(L"Sub", folder);
    world.File(sub + L"\\inside.txt");
    const std::wstring visible = world.File(folder + L"\\visible.txt");
    const ScopeList list = world.Load(kUser);
    ASSERT_EQ(list.rows.size(), 1u) << testing::PrintToString(RowNames(list));
    EXPECT_EQ(list.rows[0].location, visible);
    EXPECT_EQ(list.rows[0].name, L"visible.txt");
}

// Registry rows first in the registry's own order, then the folder's files in
// the order the file system lists them; nothing sorted, duplicates kept.
// Every row of one program shares one image, looked up once.
TEST_P(ContractTest, InventoryLoadKeepsRegistryThenFolderOrderAndDuplicates) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Dup"), L"dup.exe");
    const int imagesBefore = world.images().Count();
    for (const wchar_t* name : {L"zeta", L"alpha", L"Mid"}) world.SetRunString(kUser, name, app);
    world.Shortcut(kUser, L"b", app);
    world.Shortcut(kUser, L"a", app);
    std::vector<std::wstring> files;
    world.context().startMan.ListUserStartup(files);

    const ScopeList list = world.Load(kUser);
    std::vector<std::wstring> expectedNames = world.RunValueNames(kUser);
    std::vector<std::wstring> expectedLocations(expectedNames.size(), app);
    for (const std::wstring& file : files) {
        expectedNames.push_back(L"dup.exe");
        expectedLocations.push_back(file);
    }
    ASSERT_EQ(RowNames(list), expectedNames);
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        EXPECT_EQ(list.rows[i].location, expectedLocations[i]) << i;
        EXPECT_EQ(list.rows[i].origin, i < 3 ? EntryOrigin::RunValue : EntryOrigin::StartupFile) << i;
        EXPECT_EQ(list.rows[i].iconIndex, imagesBefore) << i;
    }
    EXPECT_EQ(world.images().Count(), imagesBefore + 1);
    if (world.shell() == nullptr) GTEST_SKIP() << "the real shell keeps no record of the icons it was asked for: checked on the stand-ins";
    EXPECT_EQ(world.shell()->IconRequests().size(), 1u);
}

// Reloading takes every known program's image from the window's map: the
// image list holds one image per program however often the list is loaded.
TEST_P(ContractTest, InventoryReloadsKeepOneImagePerProgram) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring first = world.Program(world.Folder(L"One"), L"one.exe");
    const std::wstring second = world.Program(world.Folder(L"Two"), L"two.exe");
    world.SetRunString(kUser, L"first", first);
    world.SetRunString(kUser, L"gone", world.Folder(L"Gone") + L"\\gone.exe");
    world.Shortcut(kUser, L"second", second);
    world.Shortcut(kUser, L"upper", world.platform().codePage.Upper(first));
    const int imagesBefore = world.images().Count();
    const ScopeList firstLoad = world.Load(kUser);
    for (int reload = 0; reload < 20; ++reload) {
        const ScopeList list = world.Load(kUser);
        ASSERT_EQ(list.rows.size(), firstLoad.rows.size());
        for (std::size_t i = 0; i < list.rows.size(); ++i) EXPECT_EQ(list.rows[i].iconIndex, firstLoad.rows[i].iconIndex);
    }
    EXPECT_EQ(world.images().Count(), imagesBefore + 2);
    if (world.shell() == nullptr) GTEST_SKIP() << "the real shell keeps no record of the icons it was asked for: checked on the stand-ins";
    EXPECT_EQ(world.shell()->IconRequests().size(), 3u) << "one per program";
}

TEST_P(ContractTest, InventoryLoadAllUsersReadsOnlyItsOwnPlaces) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Scopes"), L"scoped.exe");
    world.SetRunString(kUser, L"UserValue", app);
    world.SetRunString(kAll, L"MachineValue", app);
    world.Shortcut(kUser, L"UserLink", app);
    const std::wstring common = world.Shortcut(kAll, L"CommonLink", app);

    const ScopeList all = world.Load(kAll);
    ASSERT_EQ(all.rows.size(), 2u) << testing::PrintToString(RowNames(all));
    EXPECT_EQ(all.rows[0].name, L"MachineValue");
    EXPECT_EQ(all.rows[1].location, common);
    EXPECT_EQ(world.Load(kUser).rows.size(), 2u);
}

// A bad row keeps what it had and the next row still loads.
TEST_P(ContractTest, InventoryLoadGoesOnPastBadRows) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Good"), L"good.exe");
    world.SetRunValue(kUser, L"binary", kRegBinary, {1, 2, 3});
    world.SetRunValue(kUser, L"multi", kRegMultiSz, Utf16Bytes(std::wstring(L"a\0b\0\0", 5)));
    world.SetRunValue(kUser, L"none", kRegNone, {});
    world.SetRunValue(kUser, L"odd", kRegSz, {'a', 0, 'b'});
    world.SetRunValue(kUser, L"empty", kRegSz, {});
    world.SetRunString(kUser, L"huge", std::wstring(1 << 19, L'h'));  // 1 MiB of data
    world.SetRunString(kUser, L"long", std::wstring(32000, L'p') + L".exe");
    world.SetRunString(kUser, L"good", app);
    const std::wstring corrupt = world.File(world.StartupFolder(kUser) + L"\\corrupt.lnk");
    if (world.links() != nullptr) world.links()->AddUnreadable(corrupt);
    const std::wstring gone = world.Shortcut(kUser, L"nowhere", world.Folder(L"Nowhere") + L"\\none.exe");
    world.Shortcut(kUser, L"good", app);

    const ScopeList list = world.Load(kUser);
    ASSERT_EQ(list.rows.size(), 11u) << testing::PrintToString(RowNames(list));
    for (const wchar_t* name : {L"binary", L"multi", L"none"}) {
        const StartupEntry* row = FindRow(list, name, EntryOrigin::RunValue);
        ASSERT_NE(row, nullptr) << testing::PrintToString(name);
        EXPECT_EQ(row->location, L"");
        EXPECT_EQ(row->iconIndex, 0);
    }
    ASSERT_NE(FindRow(list, L"odd", EntryOrigin::RunValue), nullptr);
    ASSERT_NE(FindRow(list, L"huge", EntryOrigin::RunValue), nullptr);
    EXPECT_EQ(FindRow(list, L"huge", EntryOrigin::RunValue)->location.size(), 1u << 19);
    ASSERT_NE(FindRow(list, L"good", EntryOrigin::RunValue), nullptr);
    EXPECT_GE(FindRow(list, L"good", EntryOrigin::RunValue)->iconIndex, 1);
    const StartupEntry* corruptRow = FindRow(list, L"corrupt.lnk", EntryOrigin::StartupFile);
    ASSERT_NE(corruptRow, nullptr) << "a shortcut that cannot be read stands for itself";
    EXPECT_EQ(corruptRow->location, corrupt);
    const StartupEntry* goneRow = FindRow(list, L"none.exe", EntryOrigin::StartupFile);
    ASSERT_NE(goneRow, nullptr);
    EXPECT_EQ(goneRow->location, gone);
    EXPECT_EQ(goneRow->iconIndex, -1);
    ASSERT_NE(FindRow(list, L"good.exe", EntryOrigin::StartupFile), nullptr);
    EXPECT_GE(FindRow(list, L"good.exe", EntryOrigin::StartupFile)->iconIndex, 1);
}

// A load reads all its shortcuts through one link object; a shortcut that
// cannot be read after one that could still stands for itself, although the
// shell's object keeps what it held when a load fails.
TEST_P(ContractTest, InventoryShortcutsShareALinkObjectWithoutMixingTargets) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring first = world.Program(world.Folder(L"First"), L"first.exe");
    const std::wstring second = world.Program(world.Folder(L"Second"), L"second.exe");
    const std::wstring good = world.Shortcut(kUser, L"good", first);
    const std::wstring other = world.Shortcut(kUser, L"other", second);
    const std::wstring corrupt = world.File(world.StartupFolder(kUser) + L"\\corrupt.lnk");
    if (world.links() != nullptr) world.links()->AddUnreadable(corrupt);
    const std::wstring missing = world.StartupFolder(kUser) + L"\\missing.lnk";

    const int objectsBefore = world.links() != nullptr ? world.links()->ObjectsCreated() : 0;
    ShortcutResolver resolver(world.platform());
    EXPECT_EQ(resolver.Resolve(good), first);
    EXPECT_EQ(resolver.Resolve(other), second);
    const int objectsAfterTwo = world.links() != nullptr ? world.links()->ObjectsCreated() : 0;
    EXPECT_EQ(resolver.Resolve(corrupt), corrupt);
    EXPECT_EQ(resolver.Resolve(missing), missing);
    EXPECT_EQ(resolver.Resolve(good), first);
    if (world.links() == nullptr) {
        GTEST_SKIP() << "the real link object keeps no count of its instances: checked on the stand-ins";
    }
    EXPECT_EQ(objectsAfterTwo, objectsBefore + 1);
}

// Read on several threads, many shortcuts give the rows one thread gives, in
// the folder's order: the readable ones their own targets, the unreadable
// one itself.
TEST_P(ContractTest, InventoryShortcutsReadOnSeveralThreadsGiveTheRowsOfOne) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring folder = world.Folder(L"Many");
    const std::wstring programs[] = {world.Program(folder, L"a.exe"), world.Program(folder, L"b.exe"),
                                     world.Program(folder, L"c.exe")};
    for (int i = 0; i < 150; ++i) world.Shortcut(kUser, L"s" + std::to_wstring(i), programs[i % 3]);
    const std::wstring corrupt = world.File(world.StartupFolder(kUser) + L"\\s77 corrupt.lnk");
    if (world.links() != nullptr) world.links()->AddUnreadable(corrupt);

    const ScopeList one = world.Load(kUser);
    world.ReadShortcutsOn(4);
    const ScopeList four = world.Load(kUser);
    ASSERT_EQ(one.rows.size(), 151u);
    ASSERT_EQ(four.rows.size(), one.rows.size());
    for (std::size_t i = 0; i < one.rows.size(); ++i) {
        EXPECT_EQ(four.rows[i].name, one.rows[i].name) << i;
        EXPECT_EQ(four.rows[i].location, one.rows[i].location) << i;
        EXPECT_EQ(four.rows[i].iconIndex, one.rows[i].iconIndex) << i;
    }
    const StartupEntry* corruptRow = FindRow(four, L"s77 corrupt.lnk", EntryOrigin::StartupFile);
    ASSERT_NE(corruptRow, nullptr);
    EXPECT_EQ(corruptRow->location, corrupt);
    EXPECT_EQ(std::count_if(four.rows.begin(), four.rows.end(), [](const auto& r) { return r.name == L"b.exe"; }), 50);
}

TEST_P(ContractTest, InventoryLoadManyRunValues) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const int count = 10000;
    // DWORD data: every row takes the failing read, none asks the shell.
    for (int i = 0; i < count; ++i) world.SetRunValue(kUser, L"v" + std::to_wstring(i), kRegDword, {0, 0, 0, 0});
    const ScopeList list = world.Load(kUser);
    ASSERT_EQ(list.rows.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(list.rows.back().iconIndex, 0);
}

// The Startup folder's value may name a file, a path too long for the find
// functions, or nothing: the registry rows still load.
TEST_P(ContractTest, InventoryLoadSurvivesOddStartupFolders) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Odd"), L"odd.exe");
    world.SetRunString(kUser, L"still", app);
    const std::wstring asFile = world.File(world.Folder(L"AsFile") + L"\\Startup");
    const std::wstring base = world.Folder(L"Long");
    for (const std::wstring& folder : {asFile, base + L"\\" + std::wstring(259 - base.size(), L'l'),
                                       base + L"\\" + std::wstring(261 - base.size(), L'l'),
                                       base + L"\\" + std::wstring(32000, L'l'), std::wstring()}) {
        SCOPED_TRACE(folder.size());
        world.SetStartupFolderValue(kUser, folder);
        const ScopeList list = world.Load(kUser);
        ASSERT_EQ(list.rows.size(), 1u) << testing::PrintToString(RowNames(list));
        EXPECT_EQ(list.rows[0].name, L"still");
    }
}

}  // namespace
}  // namespace quillmark
