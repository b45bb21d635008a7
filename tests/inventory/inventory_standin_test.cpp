// Inventory cases only the stand-ins can stage: a Run key we may not open or
// only read, a value whose data read fails, an image list that refuses icons,
// a shell that refuses to recycle.
#include <gtest/gtest.h>

#include "inventory/add_shortcut.h"
#include "inventory/approve_entries.h"
#include "inventory/load_scope.h"
#include "inventory/removal_record.h"
#include "inventory/remove_entries.h"
#include "inventory/undo_removal.h"
#include "inventory/windows_start_man.h"
#include "platform/error.h"
#include "shellpath/shell_services.h"
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/portable_platform.h"
#include "platform/registry_accessor.h"
#include "tests/contract/contract_fixture.h"
#include "tests/inventory/stand_in_inventory.h"

namespace quillmark {
namespace {

constexpr wchar_t kStartup[] = L"C:\\Users\\quill\\Startup";
constexpr wchar_t kCommonStartup[] = L"C:\\ProgramData\\Startup";
constexpr wchar_t kApp[] = L"C:\\Tools\\app.exe";

class InventoryStandInTest : public testing::Test, protected StandInInventory {
protected:
    InventoryStandInTest() {
        world_.registry().CreateKey(RegistryRoot::CurrentUser, kRunKeyPath);
        world_.registry().SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kStartup);
        world_.files().AddFolder(kStartup);
        world_.files().AddFile(kApp);
        world_.shell().AddIcon(kApp);
    }
    ScopeList Load(StartupScope scope = StartupScope::CurrentUser) {
        ScopeList list;
        LoadScope(context_, scope, list);
        return list;
    }
};

TEST_F(InventoryStandInTest, DeniedRunKeyStillLoadsTheFolder) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"value", kApp);
    ASSERT_TRUE(CreateShortcutFile(platform_, kApp, L"App", kStartup));
    world_.registry().DenyAccess(RegistryRoot::CurrentUser, kRunKeyPath);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].name, L"app.exe");
    EXPECT_FALSE(registry_.HasOpenKey());
}

TEST_F(InventoryStandInTest, UnreadableDataKeepsTheRowWithItsName) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"first", kApp);
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"unreadable", kApp);
    world_.registry().MakeUnreadable(RegistryRoot::CurrentUser, kRunKeyPath, L"unreadable");
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"last", kApp);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[1].name, L"unreadable");
    EXPECT_EQ(list.rows[1].location, L"");
    EXPECT_EQ(list.rows[1].iconIndex, 0);
    EXPECT_EQ(list.rows[2].iconIndex, 1) << "the same program as the first row, the same image";
    EXPECT_FALSE(registry_.HasOpenKey()) << "the Run key is closed after loading";
}

TEST_F(InventoryStandInTest, RefusedIconShowsNoImage) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"value", kApp);
    images_.RefuseIcons(true);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].iconIndex, -1);
}

// A program updated in place has a new icon: the next load asks the shell again.
TEST_F(InventoryStandInTest, RewrittenProgramIsLookedUpAgain) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"value", kApp);
    ProgramIcons icons;
    ScopeList list;
    LoadScope(context_, StartupScope::CurrentUser, list, icons);
    LoadScope(context_, StartupScope::CurrentUser, list, icons);
    EXPECT_EQ(world_.shell().IconRequests().size(), 1u);
    world_.files().AddFile(kApp);
    LoadScope(context_, StartupScope::CurrentUser, list, icons);
    EXPECT_EQ(world_.shell().IconRequests().size(), 2u);
    EXPECT_EQ(list.rows[0].iconIndex, 2);
}

TEST_F(InventoryStandInTest, FolderRowsFollowTheFileSystemsOrder) {
    world_.files().SetListingOrder(MemoryFileSystem::ListingOrder::ReverseInsertion);
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) world_.files().AddFile(std::wstring(kStartup) + L"\\" + name);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0].name, L"c.txt");
    EXPECT_EQ(list.rows[2].name, L"a.txt");
}

// What a standard user meets on Windows: HKEY_LOCAL_MACHINE opens for
// reading only. The all-users list still shows its Run value and its Startup
// file, and deleting the value is reported as refused, not passed over.
TEST_F(InventoryStandInTest, ReadOnlyMachineListsBothPartsAndReportsTheRefusedDelete) {
    world_.registry().SetString(RegistryRoot::LocalMachine, kRunKeyPath, L"machine", kApp);
    world_.registry().SetString(RegistryRoot::LocalMachine, kShellFoldersPath, L"Common Startup", kCommonStartup);
    world_.files().AddFolder(kCommonStartup);
    ASSERT_TRUE(CreateShortcutFile(platform_, kApp, L"App", kCommonStartup));
    world_.registry().MakeReadOnly(RegistryRoot::LocalMachine, L"");

    ScopeList list = Load(StartupScope::AllUsers);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].name, L"machine");
    EXPECT_EQ(list.rows[1].name, L"app.exe");
    const auto failures = RemoveEntries(context_, StartupScope::AllUsers, std::span(list.rows).first(1), Records(StartupScope::AllUsers)).failures;
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].name, L"machine");
    EXPECT_EQ(failures[0].reason, L"Access is denied.");
    EXPECT_TRUE(failures[0].accessDenied);
    EXPECT_TRUE(world_.registry().ValueExists(RegistryRoot::LocalMachine, kRunKeyPath, L"machine"));
    // Switching off is refused the same way, for both kinds of row.
    const auto refused = DisableEntries(context_, StartupScope::AllUsers, list.rows);
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_TRUE(refused[0].accessDenied && refused[1].accessDenied);
}

// A 32-bit Quillmark on 64-bit Windows: the machine's marks live in the
// 64-bit view only, for 32-bit entries too, and are read and written there.
TEST_F(InventoryStandInTest, ThirtyTwoBitProcessKeepsTheMachinesMarksInTheSixtyFourBitView) {
    const std::wstring approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
    const std::wstring wow = L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\";
    world_.registry().SetProcessIs32Bit(true);
    world_.registry().SetString(RegistryRoot::LocalMachine, wow + L"Run", L"old", kApp);
    world_.registry().SetString(RegistryRoot::LocalMachine, kRunKeyPath, L"new", kApp);
    world_.registry().SetValue(RegistryRoot::LocalMachine, approved + L"Run32", L"old", kRegBinary, DisabledValue(1));
    ScopeList list = Load(StartupScope::AllUsers);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_FALSE(list.rows[0].approval.disabled);
    EXPECT_TRUE(list.rows[1].approval.disabled);
    EXPECT_TRUE(DisableEntries(context_, StartupScope::AllUsers, std::span(list.rows).first(1)).empty());
    EXPECT_TRUE(world_.registry().ValueExists(RegistryRoot::LocalMachine, approved + L"Run", L"new"));
    EXPECT_FALSE(world_.registry().KeyExists(RegistryRoot::LocalMachine, wow + L"Explorer"));
}

// A recycle the shell refuses, or whose question the user declines, is a
// failure of that row; a file gone since the listing is one too.
TEST_F(InventoryStandInTest, RefusedRecycleIsReportedForItsRow) {
    ASSERT_TRUE(CreateShortcutFile(platform_, kApp, L"App", kStartup));
    ASSERT_TRUE(CreateShortcutFile(platform_, kApp, L"Gone", kStartup));
    ScopeList list = Load(StartupScope::CurrentUser);
    ASSERT_EQ(list.rows.size(), 2u);
    list.rows[1].name = L"second";
    world_.files().Remove(list.rows[1].location);
    world_.shell().SetFileOperationAnswer(FileOperationResult{0, true});
    const auto failures = RemoveEntries(context_, StartupScope::CurrentUser, list.rows, Records(StartupScope::CurrentUser)).failures;
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].name, list.rows[0].name);
    EXPECT_FALSE(failures[0].reason.empty());
    EXPECT_EQ(failures[1].reason, kReasonChanged);
    EXPECT_TRUE(world_.files().FileExists(list.rows[0].location));
}

// Two removals within one second (this clock stands still) get two record
// folders, and undo takes the later one first.
TEST_F(InventoryStandInTest, UndoTakesTheLaterOfTwoRecordsOfTheSameSecond) {
    for (const wchar_t* name : {L"first", L"second"}) {
        world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, name, kApp);
        ScopeList list = Load();
            ASSERT_TRUE(RemoveEntries(context_, StartupScope::CurrentUser, list.rows, Records(StartupScope::CurrentUser)).failures.empty());
    }
    const std::wstring records = Records(StartupScope::CurrentUser).folder + L"\\2026-12-08 09.30.00";
    EXPECT_TRUE(world_.files().DirectoryExists(records));
    EXPECT_TRUE(world_.files().DirectoryExists(records + L" (2)"));
    for (const wchar_t* name : {L"second", L"first"}) {
        const UndoOutcome outcome = UndoLastRemoval(context_, StartupScope::CurrentUser, Records(StartupScope::CurrentUser));
        ASSERT_EQ(outcome.restored.size(), 1u);
        EXPECT_EQ(outcome.restored[0].name, name);
    }
}

// The newest record is the one written last by the UTC clock, whatever the
// local clock did between (daylight saving ended, the zone changed) and
// whatever the folders are named; a record of an older Quillmark, with no
// UTC time in it, comes after every dated one.
TEST_F(InventoryStandInTest, UndoTakesTheRecordWrittenLastByTheUtcClock) {
    struct Written {
        const wchar_t* folder;  // named by the local clock
        const wchar_t* utc;     // null: an older Quillmark's record
        const wchar_t* value;
    };
    struct Case {
        const char* what;
        std::vector<Written> records;
        const wchar_t* newest;
    };
    const std::vector<Case> cases = {
        {"daylight saving ended between them",
         {{L"2026-11-01 01.30.00", L"2026-11-01 05:30:00.0000000 UTC", L"before"},
          {L"2026-11-01 01.10.00", L"2026-11-01 06:10:00.0000000 UTC", L"after"}},
         L"after"},
        {"moved a time zone west",
         {{L"2026-12-08 09.30.00", L"2026-12-08 08:30:00.0000000 UTC", L"east"},
          {L"2026-12-08 03.00.00", L"2026-12-08 09:00:00.0000000 UTC", L"west"}},
         L"west"},
        {"within one second",
         {{L"2026-12-08 09.30.00", L"2026-12-08 09:30:00.0000002 UTC", L"second"},
          {L"2026-12-08 09.30.00 (2)", L"2026-12-08 09:30:00.0000001 UTC", L"first"}},
         L"second"},
        {"a folder named to sort first",
         {{L"9999-12-31 23.59.59", L"2026-01-01 00:00:00.0000000 UTC", L"nines"},
          {L"2026-12-08 09.30.00", L"2026-12-08 09:30:00.0000000 UTC", L"later"}},
         L"later"},
        {"an older Quillmark's record",
         {{L"9999-12-31 23.59.59", nullptr, L"undated"}, {L"2000-01-01 00.00.00", L"2000-01-01 00:00:00.0000000 UTC", L"dated"}},
         L"dated"},
        {"only older Quillmarks' records, by name",
         {{L"2026-12-08 09.30.00", nullptr, L"first"}, {L"2026-12-08 09.30.00 (2)", nullptr, L"second"}},
         L"second"},
    };
    const RecordsPlace place = Records(StartupScope::CurrentUser);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world_.files().Remove(place.folder);
        for (const Written& written : c.records) {
            RemovalRecord record;
            if (written.utc != nullptr) record.writtenUtc = *ParseUtcStamp(written.utc);
            record.values = {{L"HKEY_CURRENT_USER\\" + std::wstring(kRunKeyPath), written.value, kRegSz, {0x41, 0, 0, 0}}};
            world_.files().AddFile(place.folder + L"\\" + written.folder + L"\\" + kRemovalRecordFile,
                                   RemovalRecordBytes(record));
        }
        const UndoPlan plan = PlanUndo(context_, StartupScope::CurrentUser, place);
        ASSERT_TRUE(plan.refusal.empty()) << testing::PrintToString(plan.refusal);
        ASSERT_EQ(plan.record.values.size(), 1u);
        EXPECT_EQ(plan.record.values[0].name, c.newest);
    }
}

// Putting a value back into the machine's key as a standard user is refused
// as Windows refuses it: reported as missing rights, and the record stays to
// be undone by an elevated Quillmark.
TEST_F(InventoryStandInTest, RefusedUndoKeepsTheRecordForAnElevatedRetry) {
    world_.registry().SetString(RegistryRoot::LocalMachine, kRunKeyPath, L"machine", kApp);
    ScopeList list = Load(StartupScope::AllUsers);
    ASSERT_TRUE(RemoveEntries(context_, StartupScope::AllUsers, list.rows, Records(StartupScope::AllUsers)).failures.empty());
    world_.registry().MakeReadOnly(RegistryRoot::LocalMachine, L"");
    const UndoOutcome outcome = UndoLastRemoval(context_, StartupScope::AllUsers, Records(StartupScope::AllUsers));
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_TRUE(outcome.failures[0].accessDenied);
    EXPECT_TRUE(CanUndoRemoval(platform_, StartupScope::AllUsers, Records(StartupScope::AllUsers)));
}

// A record edited to name other keys puts nothing anywhere, even for an
// elevated Quillmark: values go back into the scope's Run keys only, marks
// into its own StartupApproved subkeys only, and one such line refuses the
// whole record, whose good value stays out too. The record is kept.
TEST_F(InventoryStandInTest, UndoWritesNothingOutsideTheScopesOwnKeys) {
    const std::wstring user = L"HKEY_CURRENT_USER\\";
    const std::wstring approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
    const RegFileValue good{user + kRunKeyPath, L"good", kRegSz, {0x41, 0, 0, 0}};
    for (const std::wstring& key : {user + L"Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                                    user + approved + L"Run32", L"HKEY_LOCAL_MACHINE\\" + approved + L"Run",
                                    user + approved + L"Run\\Deeper", user + L"Environment"}) {
        SCOPED_TRACE(testing::PrintToString(key));
        RemovalRecord record;
        record.values = {good};
        const bool value = key.find(L"RunServices") != std::wstring::npos;
        (value ? record.values : record.marks).push_back({key, L"x", kRegBinary, {3}});
        // Written as an editor would leave it: the writer itself reads back
        // only what Quillmark takes.
        const RecordsPlace place = Records(StartupScope::CurrentUser);
        const std::wstring folder = place.folder + L"\\edited";
        world_.files().AddFolder(folder);
        world_.files().AddFile(folder + L"\\" + kRemovalRecordFile, RemovalRecordBytes(record));
        const UndoOutcome outcome = UndoLastRemoval(context_, StartupScope::CurrentUser, place);
        EXPECT_EQ(outcome.folder, folder);
        EXPECT_NE(outcome.refusal.find(L"outside this tab's startup items"), std::wstring::npos);
        EXPECT_TRUE(outcome.restored.empty() && outcome.failures.empty());
        EXPECT_FALSE(world_.registry().ValueExists(RegistryRoot::CurrentUser, kRunKeyPath, L"good"));
        EXPECT_FALSE(world_.registry().ValueExists(RegistryRoot::CurrentUser, L"Environment", L"x"));
        for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine})
            EXPECT_FALSE(world_.registry().KeyExists(root, approved.substr(0, approved.size() - 1)));
        EXPECT_FALSE(IsRecordUndone(platform_, folder));
        world_.files().Remove(folder);
    }
}

TEST_F(InventoryStandInTest, LinkObjectUnavailableFailsTheAddWithTheSystemsText) {
    world_.links().FailCreate(kClassNotRegistered);
    try {
        AddStartupShortcut(context_, StartupScope::CurrentUser, L"Tools", kApp, false, {});
        FAIL() << "the add reported success";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Class not registered");
    }
}

// A Startup folder we may not write into: the save fails and the add says so.
TEST_F(InventoryStandInTest, ReadOnlyStartupFolderFailsTheAdd) {
    world_.links().SetFolderExists([](const std::wstring& folder) { return folder != kStartup; });
    try {
        AddStartupShortcut(context_, StartupScope::CurrentUser, L"Tools", kApp, false, {});
        FAIL() << "the add reported success";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Could not write the shortcut '" + std::wstring(kStartup) +
                                       L"\\Tools.lnk': Unspecified error");
    }
    EXPECT_FALSE(world_.files().FileExists(std::wstring(kStartup) + L"\\Tools.lnk"));
}

}  // namespace
}  // namespace quillmark
