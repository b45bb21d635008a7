// Inventory cases only the stand-ins can stage: a Run key we may not open, a
// value whose data read fails, an image list that refuses icons.
#include <gtest/gtest.h>

#include "inventory/add_shortcut.h"
#include "inventory/load_scope.h"
#include "inventory/remove_entries.h"
#include "inventory/windows_start_man.h"
#include "platform/error.h"
#include "shellpath/shell_services.h"
#include "platform/portable/counting_image_list.h"
#include "platform/portable/portable_platform.h"
#include "platform/registry_accessor.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {
namespace {

constexpr wchar_t kStartup[] = L"C:\\Users\\quill\\Startup";
constexpr wchar_t kApp[] = L"C:\\Tools\\app.exe";

class InventoryStandInTest : public testing::Test {
protected:
    InventoryStandInTest() {
        world_.registry().CreateKey(RegistryRoot::CurrentUser, kRunKeyPath);
        world_.registry().SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kStartup);
        world_.files().AddFolder(kStartup);
        world_.files().AddFile(kApp);
        world_.shell().AddIcon(kApp);
    }
    ScopeList Load() {
        ScopeList list;
        LoadScope(context_, StartupScope::CurrentUser, list);
        return list;
    }

    PortablePlatform world_;
    Platform platform_ = world_.View();
    CountingImageList images_;
    RegistryAccessor registry_{platform_.registry};
    TWindowsStartMan startMan_{platform_};
    InventoryContext context_{platform_, registry_, startMan_, images_};
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
    EXPECT_EQ(list.rows[2].iconIndex, 2);
    EXPECT_FALSE(registry_.HasOpenKey()) << "the Run key is closed after loading";
}

TEST_F(InventoryStandInTest, RefusedIconShowsNoImage) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"value", kApp);
    images_.RefuseIcons(true);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].iconIndex, -1);
}

TEST_F(InventoryStandInTest, FolderRowsFollowTheFileSystemsOrder) {
    world_.files().SetListingOrder(MemoryFileSystem::ListingOrder::ReverseInsertion);
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) world_.files().AddFile(std::wstring(kStartup) + L"\\" + name);
    const ScopeList list = Load();
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0].name, L"c.txt");
    EXPECT_EQ(list.rows[2].name, L"a.txt");
}

TEST_F(InventoryStandInTest, RemovalOnADeniedRunKeyDoesNothing) {
    world_.registry().SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"value", kApp);
    ScopeList list = Load();
    list.rows[0].selected = true;
    world_.registry().DenyAccess(RegistryRoot::CurrentUser, kRunKeyPath);
    RemoveSelectedEntries(context_, StartupScope::CurrentUser, list);
    world_.registry().DenyAccess(RegistryRoot::CurrentUser, kRunKeyPath, false);
    EXPECT_TRUE(world_.registry().ValueExists(RegistryRoot::CurrentUser, kRunKeyPath, L"value"));
}

TEST_F(InventoryStandInTest, LinkObjectUnavailableFailsTheAddWithTheSystemsText) {
    world_.links().FailCreate(kClassNotRegistered);
    try {
        AddStartupShortcut(context_, StartupScope::CurrentUser, L"Tools", kApp, false);
        FAIL() << "the add reported success";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Class not registered");
    }
}

// A Startup folder we may not write into: the save fails and the add says so.
TEST_F(InventoryStandInTest, ReadOnlyStartupFolderFailsTheAdd) {
    world_.links().SetFolderExists([](const std::wstring& folder) { return folder != kStartup; });
    try {
        AddStartupShortcut(context_, StartupScope::CurrentUser, L"Tools", kApp, false);
        FAIL() << "the add reported success";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Could not write the shortcut '" + std::wstring(kStartup) +
                                       L"\\Tools.lnk': Unspecified error");
    }
    EXPECT_FALSE(world_.files().FileExists(std::wstring(kStartup) + L"\\Tools.lnk"));
}

}  // namespace
}  // namespace quillmark
