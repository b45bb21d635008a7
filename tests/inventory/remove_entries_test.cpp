// RemoveEntries against each contract backend: each row handed over is
// removed from where it came from, and nothing else is touched.
#include <gtest/gtest.h>

#include <string>

#include "inventory/load_scope.h"
#include "inventory/remove_entries.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {
namespace {

constexpr auto kUser = StartupScope::CurrentUser;
constexpr auto kAll = StartupScope::AllUsers;

// A scope holding a Run value and a Startup shortcut of the same name
// ('app.exe': the shortcut is named after its target), a second value whose
// data names a file inside the Startup folder, and a bystander of each kind.
struct Inventory {
    std::wstring app;
    std::wstring shortcut;       // <Startup>\App.lnk, row name "app.exe"
    std::wstring namedFile;      // <Startup>\named.txt, named by the "Pointer" value
    std::wstring bystanderLink;  // <Startup>\Other.lnk, row name "other.exe"
};

Inventory Seed(InventoryWorld& world, StartupScope scope) {
    Inventory inventory;
    const std::wstring folder = world.Folder(L"Programs");
    inventory.app = world.Program(folder, L"app.exe");
    const std::wstring other = world.Program(folder, L"other.exe");
    inventory.shortcut = world.Shortcut(scope, L"App", inventory.app);
    inventory.bystanderLink = world.Shortcut(scope, L"Other", other);
    inventory.namedFile = world.File(world.StartupFolder(scope) + L"\\named.txt");
    world.SetRunString(scope, L"app.exe", inventory.app);
    world.SetRunString(scope, L"Pointer", inventory.namedFile);
    world.SetRunString(scope, L"Bystander", other);
    return inventory;
}

struct State {
    bool appValue, pointerValue, bystanderValue, shortcut, namedFile, bystanderLink;
};

void ExpectState(InventoryWorld& world, StartupScope scope, const Inventory& inventory, const State& expected) {
    EXPECT_EQ(world.RunValueExists(scope, L"app.exe"), expected.appValue);
    EXPECT_EQ(world.RunValueExists(scope, L"Pointer"), expected.pointerValue);
    EXPECT_EQ(world.RunValueExists(scope, L"Bystander"), expected.bystanderValue);
    EXPECT_EQ(world.FileExists(inventory.shortcut), expected.shortcut);
    EXPECT_EQ(world.FileExists(inventory.namedFile), expected.namedFile);
    EXPECT_EQ(world.FileExists(inventory.bystanderLink), expected.bystanderLink);
}

struct Selection {
    const wchar_t* name;
    EntryOrigin origin;
};

struct RemoveCase {
    const char* what;
    std::vector<Selection> selected;
    State after;
};

const RemoveCase kRemoveCases[] = {
    {"nothing selected", {}, {true, true, true, true, true, true}},
    {"registry row: its value goes, no file is touched",
     {{L"app.exe", EntryOrigin::RunValue}},
     {false, true, true, true, true, true}},
    {"folder row: its file goes, the value of the same name stays",
     {{L"app.exe", EntryOrigin::StartupFile}},
     {true, true, true, false, true, true}},
    {"registry row naming a file in the Startup folder: only the value goes",
     {{L"Pointer", EntryOrigin::RunValue}},
     {true, false, true, true, true, true}},
    {"several rows of both kinds",
     {{L"Pointer", EntryOrigin::RunValue}, {L"app.exe", EntryOrigin::StartupFile}, {L"named.txt", EntryOrigin::StartupFile}},
     {true, false, true, false, false, true}},
    {"both rows of the same name",
     {{L"app.exe", EntryOrigin::RunValue}, {L"app.exe", EntryOrigin::StartupFile}},
     {false, true, true, false, true, true}},
};

TEST_P(ContractTest, InventoryRemoveTouchesOnlyTheSelectedRows) {
    for (const StartupScope scope : {kUser, kAll}) {
        for (const RemoveCase& c : kRemoveCases) {
            SCOPED_TRACE(testing::Message() << c.what << (scope == kAll ? " (all users)" : " (current user)"));
            InventoryWorld world(*this, *backend_, GetParam().name);
            const Inventory inventory = Seed(world, scope);
            ScopeList list = world.Load(scope);
            ASSERT_EQ(list.rows.size(), 6u) << testing::PrintToString(RowNames(list));
            std::vector<StartupEntry> chosen;
            for (const Selection& selection : c.selected) {
                ASSERT_EQ(Select(list, selection.name, selection.origin, chosen), 1);
            }
            EXPECT_TRUE(RemoveEntries(world.context(), scope, chosen, world.Records(scope)).failures.empty());
            ExpectState(world, scope, inventory, c.after);
            // The reload shows exactly what is left.
            EXPECT_EQ(world.Load(scope).rows.size(), 6u - c.selected.size());
        }
    }
}

// The value is deleted by its own name, however the code page would spell it.
TEST_P(ContractTest, InventoryRemoveDeletesAValueNamedOutsideTheCodePage) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring wide = L"\u041f\u0443\u0441\u043a";
    world.SetRunString(kUser, wide, L"C:\\x.exe");
    world.SetRunString(kUser, L"????", L"C:\\y.exe");  // what the ANSI form of that name would be
    ScopeList list = world.Load(kUser);
    std::vector<StartupEntry> chosen;
    ASSERT_EQ(Select(list, wide, EntryOrigin::RunValue, chosen), 1);
    RemoveEntries(world.context(), kUser, chosen, world.Records(kUser)).failures;
    EXPECT_FALSE(world.RunValueExists(kUser, wide));
    EXPECT_TRUE(world.RunValueExists(kUser, L"????"));
}

// A folder row recycles only a file directly inside the scope's Startup
// folder, compared trimmed and without regard to letter case.
TEST_P(ContractTest, InventoryRemoveRecyclesOnlyInsideTheStartupFolder) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring startup = world.StartupFolder(kUser);
    const std::wstring parent = startup.substr(0, startup.rfind(L'\\'));
    const std::wstring sibling = world.FolderAt(startup + L" Items");
    const std::wstring sub = world.FolderAt(startup + L"\\Sub");
    const std::wstring outside = world.File(sibling + L"\\a.lnk");
    const std::wstring nested = world.File(sub + L"\\b.txt");
    const std::wstring escaped = world.File(parent + L"\\" + world.Name(L"escaped.txt"));
    const std::wstring inside = world.File(startup + L"\\c.txt");
    const std::wstring otherCase = world.File(startup + L"\\e.txt");
    const std::wstring other = world.File(world.StartupFolder(kAll) + L"\\d.txt");

    struct Case {
        const char* what;
        std::wstring location;
        std::wstring file;
        bool recycled;
    };
    std::wstring folded = startup;
    for (wchar_t& c : folded) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    const Case cases[] = {
        {"sibling folder that begins with the same text", outside, outside, false},
        {"file in a subfolder", nested, nested, false},
        {"path leading out through ..", startup + L"\\..\\" + world.Name(L"escaped.txt"), escaped, false},
        {"the other scope's Startup folder", other, other, false},
        {"the folder in another letter case", folded + L"\\E.TXT", otherCase, true},
        {"directly inside", inside, inside, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopeList list;
        StartupEntry row;
        row.name = L"row";
        row.location = c.location;
        row.origin = EntryOrigin::StartupFile;
        row.listed = ListedFile(world.platform().files, c.file);
        list.rows.push_back(row);
        RemoveEntries(world.context(), kUser, list.rows, world.Records(kUser)).failures;
        EXPECT_EQ(world.FileExists(c.file), !c.recycled);
    }
}

// What is gone since the list was loaded is reported, not counted as removed.
TEST_P(ContractTest, InventoryRemoveOfWhatIsAlreadyGoneIsReported) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Gone"), L"gone.exe");
    world.SetRunString(kUser, L"gone", app);
    const std::wstring link = world.Shortcut(kUser, L"Gone", app);
    world.SetRunString(kUser, L"stays", app);
    ScopeList list = world.Load(kUser);
    std::vector<StartupEntry> chosen;
    for (const StartupEntry& row : list.rows) {
        if (row.name != L"stays") chosen.push_back(row);
    }
    world.Remove(link);
    // The value once, then a missing file; then both again.
    EXPECT_EQ(RemoveEntries(world.context(), kUser, chosen, world.Records(kUser)).failures.size(), 1u);
    const auto again = RemoveEntries(world.context(), kUser, chosen, world.Records(kUser)).failures;
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].reason, kReasonChanged);
    EXPECT_FALSE(world.RunValueExists(kUser, L"gone"));
    EXPECT_TRUE(world.RunValueExists(kUser, L"stays"));
}

// On 64-bit Windows the machine's Run key has a 64-bit and a 32-bit view and
// Windows starts the programs of both: both are listed, the 64-bit view
// first, and a row is removed from its own view only, even where the other
// view holds a value of the same name.
TEST_P(ContractTest, InventoryAllUsersListsBothRegistryViewsAndRemovesFromOneOnly) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    ASSERT_TRUE(world.context().registry.HasTwoViews());
    world.SetRunString(kAll, L"Shared", L"C:\\64\\shared.exe");
    world.SetRunString(kAll, L"Only64", L"C:\\64\\only.exe");
    world.SetRun32String(L"Shared", L"C:\\32\\shared.exe");
    world.SetRun32String(L"Only32", L"C:\\32\\only.exe");
    ScopeList list = world.Load(kAll);
    ASSERT_EQ(list.rows.size(), 4u) << testing::PrintToString(RowNames(list));
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        SCOPED_TRACE(i);
        const StartupEntry& row = list.rows[i];
        const bool first = i < 2;
        EXPECT_EQ(row.registryView, first ? RegistryView::Bits64 : RegistryView::Bits32);
        EXPECT_EQ(row.location.substr(0, 6), first ? L"C:\\64\\" : L"C:\\32\\") << testing::PrintToString(row.location);
    }
    for (const RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        std::vector<StartupEntry> chosen;
        for (const StartupEntry& row : list.rows) {
            if (row.name == L"Shared" && row.registryView == view) chosen.push_back(row);
        }
        EXPECT_TRUE(RemoveEntries(world.context(), kAll, chosen, world.Records(kAll)).failures.empty());
        EXPECT_EQ(world.RunValueExists(kAll, L"Shared"), view == RegistryView::Bits32);
        EXPECT_FALSE(world.Run32ValueExists(L"Shared"));
    }
    EXPECT_TRUE(world.RunValueExists(kAll, L"Only64"));
    EXPECT_TRUE(world.Run32ValueExists(L"Only32"));
}

}  // namespace
}  // namespace quillmark
