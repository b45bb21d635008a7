// AddStartupShortcut against each contract backend: the shortcut lands in the
// scope's Startup folder with the cleaned name and the target the rules give,
// and a shortcut that could not be written is reported, never passed over.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "inventory/add_shortcut.h"
#include "platform/error.h"
#include "tests/stand_ins/link_table.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {
namespace {

constexpr auto kUser = StartupScope::CurrentUser;
constexpr auto kAll = StartupScope::AllUsers;

struct TargetCase {
    const wchar_t* path;
    bool addMode;
    const wchar_t* target;
};

// The web-page rule: http or https in any letter case stays as typed, all
// else gets "http://"; program and folder paths are only trimmed.
const TargetCase kTargetCases[] = {
    {L"www.example.com", true, L"http://www.example.com"},
    {L"HTTP://Example.com/A", true, L"HTTP://Example.com/A"},
    {L"https://example.org/x?y=1", true, L"https://example.org/x?y=1"},
    {L"HtTpS://example.org", true, L"HtTpS://example.org"},
    {L"ftp://files.example.com", true, L"http://ftp://files.example.com"},
    {L"http:/one-slash", true, L"http://http:/one-slash"},
    {L"http://", true, L"http://"},
    {L"  http://example.com/\t", true, L"http://example.com/"},
    {L" example.com ", true, L"http://example.com"},
    {L"www.example.com", false, L"www.example.com"},
    {L"  C:\\Tools\\app.exe  ", false, L"C:\\Tools\\app.exe"},
    {L"c:\\tools\\APP.exe", false, L"c:\\tools\\APP.exe"},
};

TEST_P(ContractTest, InventoryAddWritesTheTargetTheRulesGive) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring references = world.Folder(L"References");
    int index = 0;
    for (const TargetCase& c : kTargetCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)) + (c.addMode ? " web" : " program"));
        const std::wstring name = L"Case" + std::to_wstring(index++);
        if (world.links() != nullptr) world.links()->ClearCalls();
        AddStartupShortcut(world.context(), kUser, name, c.path, c.addMode, {});
        if (world.links() != nullptr) {
            const auto& calls = world.links()->Calls();
            EXPECT_NE(std::find(calls.begin(), calls.end(), L"SetPath " + std::wstring(c.target)), calls.end())
                << testing::PrintToString(calls);
        }
        // The link object may normalise what it is given; the add must have
        // given it what a shortcut written straight to the target gets.
        const std::wstring reference = world.Shortcut(references, name, c.target);
        EXPECT_EQ(world.StoredTarget(world.StartupFolder(kUser) + L"\\" + name + L".lnk"), world.StoredTarget(reference));
    }
}

struct NameCase {
    const wchar_t* name;
    const wchar_t* file;
};

const NameCase kNameCases[] = {
    {L"a/b:c", L"a.lnk"},       {L"Tool<1>", L"Tool.lnk"},      {L"C:\\x", L"C.lnk"},
    {L"My App|2", L"My .lnk"},  {L" Backup Tool ", L"Backup .lnk"}, {L"|lead", L".lnk"},
    {L"\u0416\u4e2d", L"\u0416\u4e2d.lnk"},
};

TEST_P(ContractTest, InventoryAddCleansTheName) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Named"), L"named.exe");
    for (const NameCase& c : kNameCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        AddStartupShortcut(world.context(), kAll, c.name, app, false, {});
        const std::wstring file = world.StartupFolder(kAll) + L"\\" + c.file;
        EXPECT_TRUE(world.FileExists(file));
        EXPECT_EQ(world.StoredTarget(file), app);
        world.Remove(file);
    }
}

TEST_P(ContractTest, InventoryAddedProgramShowsAfterReloadNamedAfterItsTarget) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring app = world.Program(world.Folder(L"Tools"), L"app.exe");
    const std::wstring data = world.Folder(L"Data");
    AddStartupShortcut(world.context(), kUser, L"Tools", app, false, {});
    AddStartupShortcut(world.context(), kUser, L"Data", data, false, {});
    const ScopeList list = world.Load(kUser);
    const StartupEntry* program = FindRow(list, L"app.exe", EntryOrigin::StartupFile);
    ASSERT_NE(program, nullptr) << testing::PrintToString(RowNames(list));
    EXPECT_EQ(program->location, world.StartupFolder(kUser) + L"\\Tools.lnk");
    const StartupEntry* folder = FindRow(list, world.Name(L"Data"), EntryOrigin::StartupFile);
    ASSERT_NE(folder, nullptr) << testing::PrintToString(RowNames(list));
    EXPECT_EQ(folder->location, world.StartupFolder(kUser) + L"\\Data.lnk");
    EXPECT_TRUE(world.RunValueNames(kUser).empty()) << "adding never writes a Run value";
}

// Names are cut after their first blank, so a second program can come to an
// existing shortcut's file name: the add asks, and only a yes replaces it.
TEST_P(ContractTest, InventoryAddAsksBeforeReplacingAShortcutOfTheSameName) {
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "keep");
        InventoryWorld world(*this, *backend_, GetParam().name);
        const std::wstring folder = world.Folder(L"Replace");
        const std::wstring before = world.Program(folder, L"before.exe");
        const std::wstring after = world.Program(folder, L"after.exe");
        AddStartupShortcut(world.context(), kUser, L"Backup Tool", before, false, {});
        const std::wstring file = world.StartupFolder(kUser) + L"\\Backup .lnk";
        const std::string stored = world.ShortcutBytes(file);
        std::vector<std::wstring> asked;
        AddStartupShortcut(world.context(), kUser, L"Backup Agent", after, false, [&](const std::wstring& name) {
            asked.push_back(name);
            return replace;
        });
        EXPECT_EQ(asked, std::vector<std::wstring>{L"Backup .lnk"});
        EXPECT_EQ(world.StoredTarget(file), replace ? after : before);
        if (!replace) {
            EXPECT_EQ(world.ShortcutBytes(file), stored) << "kept byte for byte";
        }
        EXPECT_EQ(world.Load(kUser).rows.size(), 1u);
    }
}

// The message names the file it tried to write and says why.
void ExpectAddFails(InventoryWorld& world, const std::wstring& expectedFile, const char* why) {
    SCOPED_TRACE(why);
    try {
        AddStartupShortcut(world.context(), kUser, L"Tools", L"C:\\Tools\\app.exe", false, {});
        ADD_FAILURE() << "the add reported success";
    } catch (const Error& error) {
        const std::wstring prefix = L"Could not write the shortcut '" + expectedFile + L"': ";
        EXPECT_EQ(error.message().substr(0, prefix.size()), prefix) << error.what();
        EXPECT_GT(error.message().size(), prefix.size() + 3) << "a reason follows";
    }
    EXPECT_FALSE(world.FileExists(expectedFile));
}

TEST_P(ContractTest, InventoryAddIntoAMissingOrUnknownStartupFolderFails) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring missing = world.StartupFolder(kUser) + L"\\missing";
    world.SetStartupFolderValue(kUser, missing);
    ExpectAddFails(world, missing + L"\\Tools.lnk", "folder missing");

    const std::wstring asFile = world.File(world.Folder(L"AsFile") + L"\\Startup");
    world.SetStartupFolderValue(kUser, asFile);
    ExpectAddFails(world, asFile + L"\\Tools.lnk", "a file where the folder should be");

    world.SetStartupFolderValue(kUser, L"");
    ExpectAddFails(world, L"Tools.lnk", "folder unknown");
    EXPECT_FALSE(world.FileExists(L"\\Tools.lnk")) << "nothing lands in the drive's root";
}

}  // namespace
}  // namespace quillmark
