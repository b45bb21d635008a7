#include <gtest/gtest.h>

#include "inventory/startup_scope.h"
#include "inventory/windows_start_man.h"
#include "platform/error.h"
#include "tests/stand_ins/portable_platform.h"
#include "platform/registry_accessor.h"

namespace quillmark {
namespace {

const wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// What the stand-in registry can do that a test cannot arrange on Windows:
// data that cannot be read, a key we may not open, a key deleted under us.
TEST(MemoryRegistryTest, FailuresTheContractCannotSeed) {
    PortablePlatform platform;
    auto& registry = platform.registry();
    registry.SetString(RegistryRoot::CurrentUser, kRun, L"Gone", L"x");
    registry.MakeUnreadable(RegistryRoot::CurrentUser, kRun, L"Gone");
    RegistryAccessor accessor(registry);
    ASSERT_TRUE(accessor.OpenKey(L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"));
    try {
        accessor.ReadString(L"gone");
        ADD_FAILURE() << "no failure for unreadable data";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Failed to get data for 'gone'");
    }

    // The key goes while it is open: every call answers as for a deleted key.
    registry.DeleteKey(RegistryRoot::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    std::vector<std::wstring> names{L"sentinel"};
    accessor.GetValueNames(names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(accessor.ReadString(L"Gone"), L"");
    accessor.DeleteValue(L"Gone");
    EXPECT_FALSE(accessor.OpenKey(kRun));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, L"SOFTWARE\\Microsoft\\Windows"));

    registry.CreateKey(RegistryRoot::LocalMachine, kRun);
    registry.DenyAccess(RegistryRoot::LocalMachine, kRun);
    accessor.SetRoot(RegistryRoot::LocalMachine);
    EXPECT_FALSE(accessor.OpenKey(kRun));
    registry.DenyAccess(RegistryRoot::LocalMachine, kRun, false);
    EXPECT_TRUE(accessor.OpenKey(kRun));
}

TEST(MemoryRegistryTest, RewriteKeepsTheValuesPlaceAndName) {
    PortablePlatform platform;
    auto& registry = platform.registry();
    for (const wchar_t* name : {L"b", L"A", L"c"}) registry.SetString(RegistryRoot::CurrentUser, kRun, name, name);
    registry.SetValue(RegistryRoot::CurrentUser, kRun, L"a", kRegDword, {1, 0, 0, 0});
    RegistryAccessor accessor(registry);
    ASSERT_TRUE(accessor.OpenKey(kRun));
    std::vector<std::wstring> names;
    accessor.GetValueNames(names);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"b", L"A", L"c"}));
    EXPECT_THROW(accessor.ReadString(L"A"), Error);
}

TEST(MemoryFileSystemTest, ListingOrderAndDotEntries) {
    MemoryFileSystem files;
    for (const wchar_t* name : {L"b.lnk", L"C.lnk", L"a.lnk"}) ASSERT_TRUE(files.AddFile(std::wstring(L"C:\\S\\") + name));
    ASSERT_TRUE(files.AddFolder(L"C:\\S", kAttrDirectory | kAttrReadOnly));
    const auto names = [&files](const std::wstring& pattern) {
        std::vector<std::wstring> found;
        for (const auto& entry : files.FindEntries(pattern)) found.push_back(entry.name);
        return found;
    };
    EXPECT_EQ(names(L"c:\\s\\*.*"), (std::vector<std::wstring>{L".", L"..", L"b.lnk", L"C.lnk", L"a.lnk"}));
    files.SetListingOrder(MemoryFileSystem::ListingOrder::ByName);
    EXPECT_EQ(names(L"C:\\S\\*"), (std::vector<std::wstring>{L".", L"..", L"a.lnk", L"b.lnk", L"C.lnk"}));
    files.SetListingOrder(MemoryFileSystem::ListingOrder::ReverseInsertion);
    EXPECT_EQ(names(L"C:\\S\\*.lnk"), (std::vector<std::wstring>{L"a.lnk", L"C.lnk", L"b.lnk"}));
    // "." carries the folder's own attributes; a drive root has no dot entries.
    EXPECT_EQ(files.FindEntries(L"C:\\S\\*").front().attributes, kAttrDirectory | kAttrReadOnly);
    EXPECT_EQ(names(L"C:\\*"), std::vector<std::wstring>{L"S"});
    // Names Windows cannot hold are refused, and a file cannot hold a folder.
    EXPECT_FALSE(files.AddFile(L"C:\\S\\a?.lnk"));
    EXPECT_FALSE(files.AddFile(L"C:\\S\\a.lnk\\x"));
    EXPECT_FALSE(files.AddFolder(L"C:\\S\\b.lnk"));
    EXPECT_FALSE(files.ForceDirectories(L"Q:\\x"));
    EXPECT_TRUE(files.Remove(L"C:\\s"));
    EXPECT_TRUE(names(L"C:\\*").empty());
    files.SetCurrentDirectory(L"C:\\Work");
    EXPECT_EQ(files.FullPath(L"sub\\..\\x.exe"), L"C:\\Work\\x.exe");
    EXPECT_EQ(files.FullPath(L"\\x.exe"), L"C:\\x.exe");
}

// The listing keeps the file system's order, and an unknown Startup folder
// never turns into the root of the drive.
TEST(WindowsStartManStandInTest, ListingOrderAndNoDriveRoot) {
    PortablePlatform platform;
    auto& files = platform.files();
    for (const wchar_t* name : {L"z.lnk", L"a.lnk", L"m.lnk"}) files.AddFile(std::wstring(L"C:\\Startup\\") + name);
    files.AddFile(L"C:\\root.exe");
    files.SetListingOrder(MemoryFileSystem::ListingOrder::ReverseInsertion);
    const Platform view = platform.View();
    TWindowsStartMan startMan(view);
    std::vector<std::wstring> list;
    startMan.ListFolderFiles(L"C:\\Startup\\", L"", list);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"C:\\Startup\\m.lnk", L"C:\\Startup\\a.lnk", L"C:\\Startup\\z.lnk"}));

    platform.registry().SetString(RegistryRoot::CurrentUser, kShellFoldersKey, L"StartUp", L"");
    list.clear();
    startMan.ListUserStartup(list);
    startMan.ListCommonStartup(list);
    EXPECT_TRUE(list.empty());
    // The Shell Folders key is opened without creating it.
    EXPECT_FALSE(platform.registry().KeyExists(RegistryRoot::LocalMachine, kShellFoldersKey));
}

}  // namespace
}  // namespace quillmark
