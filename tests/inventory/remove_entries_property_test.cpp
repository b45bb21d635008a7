// Removal as a property over random inventories on the stand-ins: whatever
// the rows hold, exactly the selected rows' own Run values and Startup files
// go (a Run value with its StartupApproved value), except those reported as
// refused or as changed since the listing (an updater at work in between),
// and nothing else in the registry or the file tree changes; undo then puts
// back exactly what went.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "inventory/load_scope.h"
#include "inventory/remove_entries.h"
#include "inventory/undo_removal.h"
#include "shellpath/shell_services.h"
#include "tests/contract/contract_fixture.h"
#include "tests/inventory/stand_in_inventory.h"

namespace quillmark {
namespace {

constexpr std::uint32_t kSeed = 20261208;
constexpr int kInventories = 1000;

const wchar_t kUserStartup[] = L"C:\\Users\\quill\\Start Menu\\Programs\\Startup";
const wchar_t kCommonStartup[] = L"C:\\ProgramData\\Start Menu\\Programs\\Startup";
const wchar_t kRunOncePath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t kRun32Path[] = L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kApproved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

// The key a row's value lives in, as the stand-in registry names it.
const wchar_t* KeyOf(const StartupEntry& row) {
    if (row.source == EntrySource::RunOnce) return kRunOncePath;
    return row.registryView == RegistryView::Bits32 ? kRun32Path : kRunKeyPath;
}

// Names that collide on purpose: letter case, the same text as a Run value
// and as a Startup file, characters the ANSI code page turns into "?" or
// into a look-alike ("\u0100pp" reads "App" there).
const std::vector<std::wstring> kNames = {
    L"Backup", L"backup", L"Backup.lnk", L"App", L"\u0100pp", L"\u4e2d\u6587", L"??", L"Notes", L"app.exe",
    L"Pad ", L"x.y.z", L"Tool (2)", L"\u20acuro", L"desktop.ini",
};

// Where a value or file lives, comparable across a removal.
using ValueId = std::tuple<RegistryRoot, std::wstring, std::wstring>;  // root, key, folded name

struct Snapshot {
    std::map<ValueId, std::pair<std::uint32_t, std::vector<std::uint8_t>>> values;
    std::map<std::wstring, std::uint32_t> files;  // folded path -> attributes
};

std::wstring Folded(const std::wstring& text) {
    std::wstring folded = text;
    for (wchar_t& c : folded) c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    return folded;
}

class RandomInventory : private StandInInventory {
public:
    explicit RandomInventory(std::mt19937& random) : random_(random) {
        auto& registry = world_.registry();
        registry.SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kUserStartup);
        registry.SetString(RegistryRoot::LocalMachine, kShellFoldersPath, L"Common Startup", kCommonStartup);
        for (const auto& [root, key] : Keys()) registry.CreateKey(root, key);
        for (const wchar_t* folder : Folders()) world_.files().AddFolder(folder);
        world_.files().AddFile(L"C:\\Tools\\app.exe");
        for (const auto& [root, key] : Keys()) SeedValues(root, key);
        for (const wchar_t* folder : Folders()) SeedFiles(folder);
        // Sometimes a standard user: the machine's keys open for reading only,
        // and the all-users Startup folder refuses to let go of its files.
        standardUser_ = Chance(3);
        if (standardUser_) {
            registry.MakeReadOnly(RegistryRoot::LocalMachine, L"SOFTWARE");
            world_.shell().RefuseDeletesIn(kCommonStartup);
        }
    }

    bool StandardUser() const noexcept { return standardUser_; }

    Snapshot Take() {
        Snapshot snapshot;
        for (const auto& [root, key] : Keys()) {
            for (const std::wstring& name : valueNames_) {
                if (const auto* value = world_.registry().FindValue(root, key, name)) {
                    snapshot.values[{root, Folded(key), Folded(name)}] = {value->type, value->data};
                }
            }
        }
        for (const std::wstring& path : filePaths_) {
            const std::uint32_t attributes = world_.files().GetAttributes(path);
            if (attributes != kInvalidAttributes) snapshot.files[Folded(path)] = attributes;
        }
        return snapshot;
    }

    ScopeList Load(StartupScope scope) {
        ScopeList list;
        LoadScope(context_, scope, list);
        return list;
    }

    std::vector<bool> SelectAtRandom(const ScopeList& list) {
        std::vector<bool> selected;
        for (std::size_t i = 0; i < list.rows.size(); ++i) selected.push_back(Chance(3));
        return selected;
    }

    std::vector<RemovalFailure> Remove(StartupScope scope, const ScopeList& list, const std::vector<bool>& selected) {
        std::vector<StartupEntry> rows;
        for (std::size_t i = 0; i < list.rows.size(); ++i) {
            if (selected[i]) rows.push_back(list.rows[i]);
        }
        return RemoveEntries(context_, scope, rows, Records(scope)).failures;
    }
    UndoOutcome Undo(StartupScope scope) { return UndoLastRemoval(context_, scope, Records(scope)); }

    // Another program at work after the listing: some rows' values are
    // deleted, get other data or another type; some files are rewritten or
    // deleted. Returns which rows changed.
    std::vector<bool> ChangeAtRandom(StartupScope scope, const ScopeList& list) {
        std::vector<bool> changed;
        for (const StartupEntry& row : list.rows) {
            changed.push_back(Chance(4));
            if (!changed.back()) continue;
            const int how = std::uniform_int_distribution<int>(0, 2)(random_);
            if (row.origin == EntryOrigin::StartupFile) {
                how == 0 ? world_.files().Remove(row.location) : world_.files().AddFile(row.location, kAttrArchive);
                continue;
            }
            const RegistryRoot root = RootOf(scope);
            const wchar_t* key = KeyOf(row);
            const auto* value = world_.registry().FindValue(root, key, row.name);
            if (how == 0 || value == nullptr) {
                world_.registry().DeleteValue(root, key, row.name);
            } else if (how == 1) {
                std::vector<std::uint8_t> data = value->data;
                data.insert(data.end(), {'x', 0});
                world_.registry().SetValue(root, key, row.name, value->type, std::move(data));
            } else {
                world_.registry().SetValue(root, key, row.name, value->type == kRegBinary ? kRegSz : kRegBinary,
                                           value->data);
            }
        }
        return changed;
    }

private:
    static std::vector<std::pair<RegistryRoot, std::wstring>> Keys() {
        // The two Run keys, the machine's 32-bit view of its Run key, their
        // marks (of any type), and the user's Run once key, listed too but
        // without marks of its own.
        return {{RegistryRoot::CurrentUser, kRunKeyPath},
                {RegistryRoot::LocalMachine, kRunKeyPath},
                {RegistryRoot::LocalMachine, kRun32Path},
                {RegistryRoot::CurrentUser, kApproved + L"Run"},
                {RegistryRoot::LocalMachine, kApproved + L"Run"},
                {RegistryRoot::LocalMachine, kApproved + L"Run32"},
                {RegistryRoot::CurrentUser, kRunOncePath}};
    }
    static std::vector<const wchar_t*> Folders() {
        return {kUserStartup, kCommonStartup, L"C:\\Users\\quill\\Start Menu\\Programs\\Startup Items",
                L"C:\\Users\\quill\\Start Menu\\Programs"};
    }

    bool Chance(int oneIn) { return std::uniform_int_distribution<int>(0, oneIn - 1)(random_) == 0; }
    const std::wstring& Pick(const std::vector<std::wstring>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
    }

    // Run data: programs, command lines, and paths of Startup files, which
    // removing the value must leave alone.
    std::wstring RandomData() {
        switch (std::uniform_int_distribution<int>(0, 4)(random_)) {
            case 0: return L"\"C:\\Tools\\app.exe\" -min";
            case 1: return std::wstring(kUserStartup) + L"\\" + Pick(kNames) + L".lnk";
            case 2: return std::wstring(kCommonStartup) + L"\\" + Pick(kNames);
            case 3: return L"%SystemRoot%\\" + Pick(kNames);
            default: return Pick(kNames);
        }
    }

    void SeedValues(RegistryRoot root, const std::wstring& key) {
        const int count = std::uniform_int_distribution<int>(0, 6)(random_);
        for (int i = 0; i < count; ++i) {
            const std::wstring& name = Pick(kNames);
            valueNames_.insert(name);
            if (Chance(8)) {
                world_.registry().SetValue(root, key, name, kRegDword, {1, 0, 0, 0});
            } else {
                world_.registry().SetString(root, key, name, RandomData(), Chance(4) ? kRegExpandSz : kRegSz);
            }
        }
    }

    void SeedFiles(const std::wstring& folder) {
        const int count = std::uniform_int_distribution<int>(0, 6)(random_);
        for (int i = 0; i < count; ++i) {
            const std::wstring& name = Pick(kNames);
            // No Windows file name holds a "?" or ends in a space.
            if (name.find(L'?') != std::wstring::npos || name.back() == L' ') continue;
            if (Chance(2)) {
                // A shortcut, sometimes to another file of the same folder.
                const std::wstring target = Chance(2) ? folder + L"\\" + Pick(kNames) : L"C:\\Tools\\app.exe";
                CreateShortcutFile(platform_, target, name, folder);
                filePaths_.push_back(folder + L"\\" + name + L".lnk");
            } else {
                const std::wstring path = folder + L"\\" + name;
                world_.files().AddFile(path, Chance(5) ? kAttrHidden | kAttrArchive : kAttrArchive);
                filePaths_.push_back(path);
            }
        }
    }

    std::mt19937& random_;
    bool standardUser_ = false;
    std::set<std::wstring> valueNames_;
    std::vector<std::wstring> filePaths_;
};

// What the removal of the selected rows may take: each Run row's value in
// the view of its scope's Run key it was listed from, each folder row's own
// file. A value the user may not delete stays, and its row is reported.
// Returns the names of the rows expected to be reported.
std::vector<std::wstring> ForgetSelected(Snapshot& snapshot, StartupScope scope, const ScopeList& list,
                                         const std::vector<bool>& selected, const std::vector<bool>& changed,
                                         bool standardUser) {
    const RegistryRoot root = RootOf(scope);
    std::vector<std::wstring> refused;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const StartupEntry& row = list.rows[i];
        if (!selected[i]) continue;
        if (changed[i] || (standardUser && root == RegistryRoot::LocalMachine)) {
            refused.push_back(row.name);
        } else if (row.origin == EntryOrigin::StartupFile) {
            EXPECT_EQ(snapshot.files.erase(Folded(row.location)), 1u) << "a listed folder row without its file";
        } else {
            const bool run32 = row.registryView == RegistryView::Bits32;
            EXPECT_EQ(snapshot.values.erase({root, Folded(KeyOf(row)), Folded(row.name)}), 1u)
                << "a listed Run row without its value";
            if (row.source == EntrySource::Run) {
                snapshot.values.erase({root, Folded(kApproved + (run32 ? L"Run32" : L"Run")), Folded(row.name)});
            }
        }
    }
    return refused;
}

TEST(RemoveEntriesProperty, TakesExactlyTheSelectedRowsOwnValuesAndFiles) {
    std::mt19937 random(kSeed);
    std::size_t removed = 0;
    std::size_t refused = 0;
    for (int round = 0; round < kInventories; ++round) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", inventory " << round);
        RandomInventory inventory(random);
        for (const StartupScope scope : {StartupScope::CurrentUser, StartupScope::AllUsers}) {
            ScopeList list = inventory.Load(scope);
            const std::vector<bool> selected = inventory.SelectAtRandom(list);
            const std::vector<bool> changed = inventory.ChangeAtRandom(scope, list);
            const Snapshot listed = inventory.Take();
            Snapshot expected = listed;
            const std::size_t before = expected.values.size() + expected.files.size();
            const auto refusedNames = ForgetSelected(expected, scope, list, selected, changed, inventory.StandardUser());
            std::vector<std::wstring> reported;
            for (const RemovalFailure& failure : inventory.Remove(scope, list, selected)) {
                EXPECT_TRUE(failure.accessDenied || failure.reason == kReasonChanged)
                    << "only missing rights and changes keep an entry here";
                reported.push_back(failure.name);
            }
            EXPECT_EQ(reported, refusedNames);
            const Snapshot actual = inventory.Take();
            EXPECT_EQ(actual.values, expected.values);
            EXPECT_EQ(actual.files, expected.files);
            removed += before - expected.values.size() - expected.files.size();
            refused += refusedNames.size();

            EXPECT_TRUE(inventory.Undo(scope).failures.empty());
            const Snapshot undone = inventory.Take();
            EXPECT_EQ(undone.values, listed.values);
            EXPECT_EQ(undone.files, listed.files);
        }
        if (HasFailure()) break;  // one inventory's report is enough
    }
    if (!HasFailure()) {
        EXPECT_GT(removed, std::size_t{kInventories}) << "the inventories gave too few rows to remove";
        EXPECT_GT(refused, std::size_t{kInventories} / 10) << "too few removals were refused or changed";
    }
}

}  // namespace
}  // namespace quillmark
