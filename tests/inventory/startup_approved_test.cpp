// StartupApproved against each contract backend: where Windows keeps each
// row's "disabled" mark, what Disable and Enable write there, and that
// removing or adding an entry leaves no stale mark behind.
#include <gtest/gtest.h>

#include <string>

#include "inventory/add_shortcut.h"
#include "inventory/approval_value.h"
#include "inventory/approve_entries.h"
#include "inventory/remove_entries.h"
#include "platform/code_page.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {
namespace {

constexpr auto kUser = StartupScope::CurrentUser;
constexpr auto kAll = StartupScope::AllUsers;
constexpr auto kHkcu = RegistryRoot::CurrentUser;
constexpr auto kHklm = RegistryRoot::LocalMachine;
constexpr std::uint64_t kDisabledAt = 134412048000000000ull;  // 2026-12-08 12:00 UTC

struct DisabledRow {
    StartupScope scope;
    EntryOrigin origin;
    RegistryView view;
    std::uint64_t disabledAt;
    bool operator==(const DisabledRow&) const = default;
};

std::vector<DisabledRow> DisabledRows(InventoryWorld& world) {
    std::vector<DisabledRow> disabled;
    for (const StartupScope scope : {kUser, kAll}) {
        for (const StartupEntry& row : world.Load(scope).rows) {
            if (row.approval.disabled)
                disabled.push_back({scope, row.origin, row.registryView, row.approval.disabledAt});
        }
    }
    return disabled;
}

// The same name in both Run keys, in the machine's 32-bit view and, as a
// shortcut's file name, in both Startup folders: each mark switches off
// exactly the one entry of its root, view and kind, whatever its letter case.
TEST_P(ContractTest, InventoryMarksApplyOnlyToTheirOwnRootViewAndKind) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Marked"), L"marked.exe");
    const std::wstring name = world.Name(L"Entry");
    const std::wstring upper = world.platform().codePage.Upper(name);
    world.SetRunString(kUser, name, app);
    world.SetRunString(kAll, name, app);
    world.SetRun32String(name, app);
    world.Shortcut(kUser, name, app);
    world.Shortcut(kAll, name, app);
    ASSERT_TRUE(DisabledRows(world).empty());
    struct Case {
        RegistryRoot root;
        const wchar_t* subkey;
        std::wstring mark;
        DisabledRow row;
    };
    constexpr auto kFile = EntryOrigin::StartupFile;
    const Case cases[] = {
        {kHkcu, L"Run", upper, {kUser, EntryOrigin::RunValue, RegistryView::Default, kDisabledAt}},
        {kHklm, L"Run", name, {kAll, EntryOrigin::RunValue, RegistryView::Bits64, kDisabledAt}},
        {kHklm, L"Run32", name, {kAll, EntryOrigin::RunValue, RegistryView::Bits32, kDisabledAt}},
        {kHkcu, L"StartupFolder", name + L".lnk", {kUser, kFile, RegistryView::Default, kDisabledAt}},
        {kHklm, L"StartupFolder", upper + L".LNK", {kAll, kFile, RegistryView::Default, kDisabledAt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.root == kHklm ? "HKLM " : "HKCU ") << testing::PrintToString(c.subkey));
        world.SetMark(c.root, c.subkey, c.mark, DisabledValue(kDisabledAt));
        EXPECT_EQ(DisabledRows(world), std::vector<DisabledRow>{c.row});
        world.ClearMark(c.root, c.subkey, c.mark);
    }
}

void ExpectMark(InventoryWorld& world, RegistryRoot root, const wchar_t* subkey, const std::wstring& name,
                const std::vector<std::uint8_t>& head, std::uint64_t notBefore) {
    const auto mark = world.Mark(root, subkey, name);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->type, kRegBinary);
    ASSERT_EQ(mark->bytes.size(), 12u);
    EXPECT_EQ(std::vector<std::uint8_t>(mark->bytes.begin(), mark->bytes.begin() + 4), head);
    std::uint64_t time = 0;
    for (int i = 0; i < 8; ++i) time |= static_cast<std::uint64_t>(mark->bytes[4 + i]) << (8 * i);
    if (notBefore == 0) {
        EXPECT_EQ(time, 0u);
    } else {
        constexpr std::uint64_t kMinute = 600000000ull;
        EXPECT_GE(time + kMinute, notBefore);
        EXPECT_LE(time, notBefore + kMinute);
    }
}

TEST_P(ContractTest, InventoryDisableWritesTaskManagersValueAndEnableClearsIt) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Switched"), L"switched.exe");
    const std::wstring name = world.Name(L"Switched");
    world.SetRun32String(name, app);
    world.Shortcut(kUser, name, app);
    struct Case {
        StartupScope scope;
        EntryOrigin origin;
        std::wstring row;
        RegistryRoot root;
        const wchar_t* subkey;
        std::wstring mark;
    };
    const Case cases[] = {
        {kAll, EntryOrigin::RunValue, name, kHklm, L"Run32", name},
        {kUser, EntryOrigin::StartupFile, L"switched.exe", kHkcu, L"StartupFolder", name + L".lnk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.subkey));
        world.ClearMark(c.root, c.subkey, c.mark);
        for (const bool disable : {true, false}) {
            ScopeList list = world.Load(c.scope);
            std::vector<StartupEntry> chosen;
            ASSERT_EQ(Select(list, c.row, c.origin, chosen), 1);
            EXPECT_EQ(CanDisableAny(chosen), disable);
            EXPECT_EQ(CanEnableAny(chosen), !disable);
            const std::uint64_t now = FileTimeNow();
            const auto failures = disable ? DisableEntries(world.context(), c.scope, chosen)
                                          : EnableEntries(world.context(), c.scope, chosen);
            EXPECT_TRUE(failures.empty());
            ExpectMark(world, c.root, c.subkey, c.mark, {static_cast<std::uint8_t>(disable ? 3 : 2), 0, 0, 0},
                       disable ? now : 0);
            EXPECT_EQ(FindRow(world.Load(c.scope), c.row, c.origin)->approval.disabled, disable);
        }
    }
}

// The entry goes first, then its mark; a bystander keeps its own.
TEST_P(ContractTest, InventoryRemovalDeletesTheMarkOfWhatWent) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Removed"), L"removed.exe");
    const std::wstring name = world.Name(L"Removed");
    world.SetRunString(kUser, name, app);
    world.SetRunString(kUser, L"Bystander", app);
    world.Shortcut(kUser, name, app);
    for (const auto& [subkey, mark] : {std::pair{L"Run", name}, std::pair{L"Run", std::wstring(L"Bystander")},
                                       std::pair{L"StartupFolder", name + L".lnk"}})
        world.SetMark(kHkcu, subkey, mark, DisabledValue(kDisabledAt));
    ScopeList list = world.Load(kUser);
    std::vector<StartupEntry> chosen;
    ASSERT_EQ(Select(list, name, EntryOrigin::RunValue, chosen), 1);
    ASSERT_EQ(Select(list, L"removed.exe", EntryOrigin::StartupFile, chosen), 1);
    EXPECT_TRUE(RemoveEntries(world.context(), kUser, chosen, world.Records(kUser)).failures.empty());
    EXPECT_FALSE(world.Mark(kHkcu, L"Run", name));
    EXPECT_FALSE(world.Mark(kHkcu, L"StartupFolder", name + L".lnk"));
    EXPECT_TRUE(world.Mark(kHkcu, L"Run", L"Bystander"));
}

TEST_P(ContractTest, InventoryAddOverAStaleMarkStartsEnabled) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Added"), L"added.exe");
    const std::wstring name = world.Name(L"Added");
    world.SetMark(kHkcu, L"StartupFolder", name + L".lnk", DisabledValue(kDisabledAt));
    AddStartupShortcut(world.context(), kUser, name, app, false, {});
    EXPECT_FALSE(world.Mark(kHkcu, L"StartupFolder", name + L".lnk"));
    EXPECT_FALSE(FindRow(world.Load(kUser), L"added.exe", EntryOrigin::StartupFile)->approval.disabled);
}

// Windows keeps no Disabled mark for Run once and policy values: Disable and
// Enable have nothing to switch, and a switched-off mark of a Run value of
// the same name is not theirs.
TEST(ApprovalPlaces, RunOnceAndPolicyRowsHaveNoMarkToSwitch) {
    for (const EntrySource source : {EntrySource::RunOnce, EntrySource::Policy}) {
        StartupEntry row;
        row.source = source;
        row.approval.disabled = true;
        EXPECT_FALSE(CanDisableAny(std::span(&row, 1)));
        EXPECT_FALSE(CanEnableAny(std::span(&row, 1)));
    }
}

}  // namespace
}  // namespace quillmark
