// Removal records and undo against each contract backend: what a removal
// takes is written first and comes back byte for byte; what changed since
// the listing stays; undo overwrites nothing.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "inventory/listed_state.h"
#include "inventory/registry_key_paths.h"
#include "inventory/removal_record.h"
#include "inventory/remove_entries.h"
#include "inventory/run_key.h"
#include "inventory/undo_removal.h"
#include "platform/error.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {
namespace {

constexpr auto kUser = StartupScope::CurrentUser;
constexpr auto kAll = StartupScope::AllUsers;

const std::vector<std::uint8_t> kFileBytes = {'M', 'Z', 0, 1, 0xFF, '\r', '\n', 7};

ListedState ValueNow(InventoryWorld& world, StartupScope scope, const StartupEntry& row) {
    RegistryAccessor registry(world.platform().registry);
    RunKey key(registry, scope, row.registryView, KeyAccess::Read, row.source);
    return key.Listed(row.name);
}

std::vector<std::uint8_t> BytesOf(InventoryWorld& world, const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    world.platform().files.ReadFile(path, bytes);
    return bytes;
}

const std::wstring kNonLatinName = L"\u041f\u0443\u0441\u043a \u4e2d";

struct SeededMark {
    std::wstring subkey;
    std::wstring name;
    std::vector<std::uint8_t> bytes;
};

// A REG_EXPAND_SZ value named outside the code page, a plain one, odd-sized
// data, a file with bytes; on the machine's side also a value of the 32-bit
// view. Three of them, and on the machine's side the 32-bit one too, are
// marked in StartupApproved. A Run once value with Windows' "!" flag, and a
// policy value named like the marked Run value, in each view of the scope.
struct Seeded {
    std::wstring file;
    std::vector<SeededMark> marks;
};

Seeded Seed(InventoryWorld& world, StartupScope scope) {
    world.SetRunString(scope, kNonLatinName, L"%ProgramFiles%\\\u00c9diteur\\e.exe", kRegExpandSz);
    world.SetRunString(scope, L"say \"hi\" = \\", L"\"C:\\p.exe\" /q");
    world.SetRunValue(scope, L"odd", kRegSz, {0x41, 0x00, 0x42});
    if (scope == kAll) world.SetRun32String(L"Tool32", L"C:\\32\\tool.exe");
    Seeded seeded{world.StartupFolder(scope) + L"\\Tool \u00e9.bin", {}};
    EXPECT_EQ(world.platform().files.WriteFile(seeded.file, kFileBytes), kErrorSuccess);
    const std::vector<std::uint8_t> disabled = {3, 0, 0, 0, 0x10, 0x32, 0x54, 0x76, 0x98, 0xba, 0xdc, 0x01};
    seeded.marks = {{L"Run", L"odd", disabled},
                    {L"Run", kNonLatinName, {2}},
                    {L"StartupFolder", L"Tool \u00e9.bin", {7, 0, 0, 0, 0xaa}}};
    if (scope == kAll) seeded.marks.push_back({L"Run32", L"Tool32", disabled});
    for (const RegistryView view : {RegistryView::Default, RegistryView::Bits32}) {
        if (view == RegistryView::Bits32 && scope == kUser) continue;
        const std::wstring bits = view == RegistryView::Bits32 ? L"32" : L"";
        world.SetSourceString(scope, EntrySource::RunOnce, view, L"!once", L"C:\\once" + bits + L".exe /setup");
        // Wine keeps one policy key for both views (the 32-bit view shows the
        // 64-bit key's values): a 32-bit one of its own only on the stand-ins.
        if (view == RegistryView::Default || world.IsStandIn())
            world.SetSourceString(scope, EntrySource::Policy, view, L"odd", L"C:\\policy" + bits + L".exe");
    }
    for (const SeededMark& mark : seeded.marks) world.SetMark(RootOf(scope), mark.subkey, mark.name, mark.bytes);
    return seeded;
}

TEST_P(ContractTest, InventoryUndoPutsBackEveryByteOfTheNewestRemoval) {
    for (const StartupScope scope : {kUser, kAll}) {
        SCOPED_TRACE(scope == kAll ? "all users" : "current user");
        InventoryWorld world(*this, *backend_, GetParam().name);
        const Seeded seeded = Seed(world, scope);
        ScopeList list = world.Load(scope);
        const std::size_t policy32 = scope == kAll && world.IsStandIn() ? 1 : 0;
        ASSERT_EQ(list.rows.size(), (scope == kAll ? 8u : 6u) + policy32) << testing::PrintToString(RowNames(list));
        // Run once, then policy values follow the Startup files, each view of the scope in turn.
        const auto views = scope == kAll ? std::vector{RegistryView::Bits64, RegistryView::Bits32}
                                         : std::vector{RegistryView::Default};
        std::vector<std::pair<EntrySource, RegistryView>> places;
        for (const StartupEntry& row : list.rows) {
            if (row.source == EntrySource::RunOnce || row.source == EntrySource::Policy)
                places.emplace_back(row.source, row.registryView);
        }
        std::vector<std::pair<EntrySource, RegistryView>> expectedPlaces;
        for (const EntrySource source : {EntrySource::RunOnce, EntrySource::Policy}) {
            for (const RegistryView view : views) {
                if (source == EntrySource::Policy && view == RegistryView::Bits32 && policy32 == 0) continue;
                expectedPlaces.emplace_back(source, view);
            }
        }
        EXPECT_EQ(places, expectedPlaces);
        EXPECT_EQ(list.rows.back().source, EntrySource::Policy);
        EXPECT_FALSE(CanUndoRemoval(world.platform(), scope, world.Records(scope)));
        ASSERT_TRUE(RemoveEntries(world.context(), scope, list.rows, world.Records(scope)).failures.empty());
        ASSERT_TRUE(world.Load(scope).rows.empty());
        EXPECT_FALSE(CanUndoRemoval(world.platform(), scope == kAll ? kUser : kAll, world.Records(scope == kAll ? kUser : kAll)));
        ASSERT_TRUE(CanUndoRemoval(world.platform(), scope, world.Records(scope)));

        const UndoOutcome outcome = UndoLastRemoval(world.context(), scope, world.Records(scope));
        EXPECT_TRUE(outcome.found);
        EXPECT_TRUE(outcome.failures.empty()) << testing::PrintToString(outcome.failures.front().reason);
        EXPECT_EQ(outcome.restored.size(), list.rows.size());
        for (const StartupEntry& row : list.rows) {
            SCOPED_TRACE(testing::PrintToString(row.location));
            const ListedState now = row.origin == EntryOrigin::RunValue ? ValueNow(world, scope, row)
                                                                        : ListedFile(world.platform().files, row.location);
            EXPECT_EQ(now, row.listed);
        }
        EXPECT_EQ(BytesOf(world, seeded.file), kFileBytes);
        for (const SeededMark& mark : seeded.marks) {
            SCOPED_TRACE(testing::PrintToString(mark.subkey + L"\\" + mark.name));
            const auto now = world.Mark(RootOf(scope), mark.subkey, mark.name);
            ASSERT_TRUE(now);
            EXPECT_EQ(now->type, kRegBinary);
            EXPECT_EQ(now->bytes, mark.bytes);
        }
        ScopeList reloaded = world.Load(scope);
        for (const StartupEntry& row : reloaded.rows) {
            EXPECT_TRUE(ShowsRestoredEntry(row, scope, outcome.restored)) << testing::PrintToString(row.name);
        }
        // Kept, but done: nothing is left to undo.
        EXPECT_FALSE(CanUndoRemoval(world.platform(), scope, world.Records(scope)));
        EXPECT_FALSE(UndoLastRemoval(world.context(), scope, world.Records(scope)).found);
    }
}

// Between the listing and the removal an updater rewrote the value and the
// file: both stay, each reported by its name, and nothing else is held up.
TEST_P(ContractTest, InventoryRemoveLeavesWhatChangedSinceTheListing) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const Seeded seeded = Seed(world, kUser);
    world.SetRunString(kUser, L"stays", L"C:\\a.exe");
    ScopeList list = world.Load(kUser);
    world.SetRunString(kUser, L"odd", L"C:\\updated.exe");
    world.SetRunString(kUser, L"stays", L"C:\\a.exe", kRegExpandSz);  // the same text, another type
    ASSERT_EQ(world.platform().files.WriteFile(seeded.file, {1, 2, 3}), kErrorSuccess);
    const auto failures = RemoveEntries(world.context(), kUser, list.rows, world.Records(kUser)).failures;
    ASSERT_EQ(failures.size(), 3u);
    for (const RemovalFailure& failure : failures) EXPECT_EQ(failure.reason, kReasonChanged);
    EXPECT_TRUE(world.RunValueExists(kUser, L"odd"));
    EXPECT_TRUE(world.RunValueExists(kUser, L"stays"));
    EXPECT_TRUE(world.FileExists(seeded.file));
    EXPECT_FALSE(world.RunValueExists(kUser, L"say \"hi\" = \\"));
}

// Undo writes over nothing: a value, a file and a StartupApproved value
// that came back meanwhile stay as they are, are reported, and the record
// is still marked undone. The marks of the entries left are not put back
// beside them, which would switch the new ones off.
TEST_P(ContractTest, InventoryUndoLeavesAnEntryOfTheSameNameAsItIs) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const Seeded seeded = Seed(world, kUser);
    ScopeList list = world.Load(kUser);
    ASSERT_TRUE(RemoveEntries(world.context(), kUser, list.rows, world.Records(kUser)).failures.empty());
    world.SetRunString(kUser, L"odd", L"new");
    ASSERT_EQ(world.platform().files.WriteFile(seeded.file, {9}), kErrorSuccess);
    world.SetMark(RegistryRoot::CurrentUser, L"Run", kNonLatinName, {6});
    const UndoOutcome outcome = UndoLastRemoval(world.context(), kUser, world.Records(kUser));
    ASSERT_EQ(outcome.failures.size(), 3u);
    EXPECT_EQ(outcome.failures[0].name, L"odd");
    EXPECT_FALSE(outcome.failures[0].accessDenied);
    EXPECT_EQ(outcome.failures[2].name, kNonLatinName);
    // The policy value named "odd" comes back beside the Run value that stayed,
    // and brings back no mark: the Run value's mark is not its own.
    EXPECT_EQ(outcome.restored.size(), 4u);
    StartupEntry odd;
    odd.name = L"odd";
    EXPECT_EQ(ValueNow(world, kUser, odd).valueType, kRegSz);
    EXPECT_EQ(BytesOf(world, seeded.file), std::vector<std::uint8_t>{9});
    EXPECT_FALSE(world.Mark(RegistryRoot::CurrentUser, L"Run", L"odd"));
    EXPECT_FALSE(world.Mark(RegistryRoot::CurrentUser, L"StartupFolder", L"Tool \u00e9.bin"));
    EXPECT_EQ(world.Mark(RegistryRoot::CurrentUser, L"Run", kNonLatinName)->bytes, std::vector<std::uint8_t>{6});
    EXPECT_FALSE(CanUndoRemoval(world.platform(), kUser, world.Records(kUser)));
}

// A record that cannot be written (here a file stands where its folder
// goes) stops the removal before anything is taken.
TEST_P(ContractTest, InventoryRemoveTakesNothingWithoutARecord) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    Seed(world, kUser);
    ScopeList list = world.Load(kUser);
    const std::wstring blocker = world.File(world.DataFolder() + L"\\Removed");
    try {
        RemoveEntries(world.context(), kUser, list.rows, world.Records(kUser)).failures;
        ADD_FAILURE() << "no Error";
    } catch (const Error& error) {
        EXPECT_NE(error.message().find(L"Nothing was removed"), std::wstring::npos);
    }
    EXPECT_EQ(world.Load(kUser).rows.size(), list.rows.size());
    world.Remove(blocker);
}

// A value whose name holds a line feed comes back exactly; an older
// removal is never put back in its stead.
TEST_P(ContractTest, InventoryUndoPutsBackAValueNamedWithALineFeed) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring name = L"Line\nfeed \"x\" \\n";
    for (const std::wstring& each : {std::wstring(L"older"), name}) {
        world.SetRunString(kUser, each, L"C:\\a.exe");
        ScopeList list = world.Load(kUser);
        std::vector<StartupEntry> chosen;
        ASSERT_EQ(Select(list, each, EntryOrigin::RunValue, chosen), 1);
        ASSERT_TRUE(RemoveEntries(world.context(), kUser, chosen, world.Records(kUser)).failures.empty());
    }
    ASSERT_FALSE(world.RunValueExists(kUser, name));
    const UndoOutcome outcome = UndoLastRemoval(world.context(), kUser, world.Records(kUser));
    EXPECT_TRUE(outcome.refusal.empty()) << testing::PrintToString(outcome.refusal);
    ASSERT_EQ(outcome.restored.size(), 1u);
    EXPECT_EQ(outcome.restored[0].name, name);
    EXPECT_TRUE(world.RunValueExists(kUser, name));
    EXPECT_FALSE(world.RunValueExists(kUser, L"older"));
}

// Records as another program could plant them, each the newest of the all
// users' scope: a file name with "/", one that climbs out with "..", one
// with a stream, a copy name leading out of its record, one in a folder
// named to sort before every other. Each is refused as naming a place
// outside the scope: no file is made anywhere, and the record stays as it was.
TEST_P(ContractTest, InventoryUndoRefusesACraftedRecordAndWritesNothing) {
    struct Crafted {
        const char* what;
        std::wstring path;  // after the Startup folder
        std::wstring copyName;
        std::wstring folder = L"2026-12-08 09.30.00";
    };
    const std::vector<Crafted> cases = {
        {"slashes", L"\\../../escaped.dll", L"escaped.dll"},
        {"dots", L"\\..\\escaped.dll", L"escaped.dll"},
        {"stream", L"\\ok.txt:escaped", L"ok.txt"},
        {"copy name", L"\\ok.txt", L"..\\..\\..\\secret.txt"},
        {"folder sorting first", L"\\..\\..\\escaped.dll", L"escaped.dll", L"9999-99-99 99.99.99"},
    };
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.what);
        InventoryWorld world(*this, *backend_, GetParam().name);
        const RecordsPlace place = world.Records(kAll);
        const std::wstring startup = world.StartupFolder(kAll);
        // A sound record written first makes the folders as Quillmark would.
        RemovalRecord sound;
        sound.scope = kAll;
        WriteRemovalRecord(world.platform(), place, sound);
        const std::wstring secret = world.File(world.DataFolder() + L"\\secret.txt");
        const std::wstring folder = place.folder + L"\\" + c.folder;
        world.platform().files.ForceDirectories(folder);
        RemoveAfterwards(folder);
        const std::wstring copy = world.File(folder + L"\\escaped.dll");
        RemovalRecord crafted;
        crafted.scope = kAll;
        crafted.writtenUtc = *ParseUtcStamp(L"9000-01-01 00:00:00.0000000 UTC");  // newer than the sound one
        crafted.files = {{startup + c.path, c.copyName}};
        const std::vector<std::uint8_t> bytes = RemovalRecordBytes(crafted);
        const std::wstring file = folder + L"\\" + kRemovalRecordFile;
        ASSERT_EQ(world.platform().files.WriteFile(file, bytes), kErrorSuccess);
        RemoveAfterwards(file);

        ASSERT_TRUE(CanUndoRemoval(world.platform(), kAll, place));
        const UndoOutcome outcome = UndoLastRemoval(world.context(), kAll, place);
        EXPECT_EQ(outcome.folder, folder);
        EXPECT_NE(outcome.refusal.find(L"outside this tab's startup items"), std::wstring::npos)
            << testing::PrintToString(outcome.refusal);
        EXPECT_TRUE(outcome.restored.empty() && outcome.failures.empty());
        for (const wchar_t* made : {L"\\escaped.dll", L"\\ok.txt", L"\\secret.txt"})
            EXPECT_FALSE(world.FileExists(startup + made)) << testing::PrintToString(std::wstring(made));
        for (const std::wstring& outside : {startup + L"\\..\\escaped.dll", startup + L"\\..\\..\\escaped.dll"})
            EXPECT_FALSE(world.FileExists(world.platform().files.FullPath(outside)));
        EXPECT_EQ(BytesOf(world, file), bytes);
        EXPECT_FALSE(IsRecordUndone(world.platform(), folder));
        world.Remove(copy);
        world.Remove(secret);
    }
}

// The all users' records are used only while no link leads to them and
// Administrators or SYSTEM own them: a record behind a link, or in a folder
// another account owns, is refused with the reason, and no record is written
// there either. Staged by the stand-ins, and under Wine by the test script.
TEST_P(ContractTest, InventoryAllUsersRecordsBehindALinkOrOfAnotherOwnerAreRefused) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    for (const bool link : {true, false}) {
        SCOPED_TRACE(link ? "link" : "owner");
        const std::wstring staged = link ? backend_->StagedLink() : backend_->StagedForeignFolder();
        if (staged.empty()) {
            std::cout << "[ NOTE ] no " << (link ? "link" : "folder of another owner") << " staged here\n";
            continue;
        }
        const RecordsPlace place{staged + L"\\Removed", TrustedMachineOwners(world.platform(), world.DataFolder())};
        RemovalRecord planted;
        planted.scope = kAll;
        planted.writtenUtc = 134411958000000000ull;
        planted.values = {{RunKeyFullPath(kAll, RegistryView::Default), world.Name(L"planted"), kRegSz, {0x41, 0, 0, 0}}};
        const std::wstring folder = place.folder + L"\\2026-12-08 09.30.00";
        ASSERT_TRUE(world.platform().files.ForceDirectories(folder));
        for (const std::wstring& made : {place.folder, folder}) RemoveAfterwards(made);
        RemoveAfterwards(folder + L"\\" + kRemovalRecordFile);
        ASSERT_EQ(world.platform().files.WriteFile(folder + L"\\" + kRemovalRecordFile, RemovalRecordBytes(planted)),
                  kErrorSuccess);

        const UndoOutcome outcome = UndoLastRemoval(world.context(), kAll, place);
        EXPECT_TRUE(outcome.found);
        EXPECT_NE(outcome.refusal.find(link ? L"is a link to another place" : L"not to the Administrators or SYSTEM"),
                  std::wstring::npos)
            << testing::PrintToString(outcome.refusal);
        EXPECT_FALSE(world.RunValueExists(kAll, planted.values[0].name));
        RemovalRecord another;
        another.scope = kAll;
        EXPECT_THROW(WriteRemovalRecord(world.platform(), place, another), Error);
    }
}

}  // namespace
}  // namespace quillmark
