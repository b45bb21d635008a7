// Packaged apps' startup tasks against each contract backend: where Windows
// keeps them, how the manifest names them, and what Disable and Enable write.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "inventory/approve_entries.h"
#include "inventory/entry_status.h"
#include "inventory/package_repository.h"
#include "inventory/packaged_tasks.h"
#include "inventory/remove_entries.h"
#include "tests/contract/manifest_staging.h"
#include "tests/inventory/inventory_world.h"

namespace quillmark {

void PrintTo(const PackagedStartupTask& task, std::ostream* out) {
    *out << testing::PrintToString(task.familyName) << " " << testing::PrintToString(task.taskId) << " "
         << testing::PrintToString(task.displayName) << " " << testing::PrintToString(task.executable) << " state "
         << task.state << (task.stateKnown ? "" : " (unknown)");
}

namespace {

constexpr auto kHkcu = RegistryRoot::CurrentUser;
const std::wstring kPublisher = L"8wekyb3d8bbwe";

std::vector<std::uint8_t> Dword(std::uint32_t value) { return {static_cast<std::uint8_t>(value), 0, 0, 0}; }

std::wstring TaskKey(const std::wstring& family, const std::wstring& taskId) {
    return std::wstring(kSystemAppDataKey) + L"\\" + family + L"\\" + taskId;
}

void SeedTask(ContractTest& test, const std::wstring& family, const std::wstring& taskId, std::uint32_t type,
              const std::vector<std::uint8_t>& state) {
    test.RemoveKeyAfterwards(kHkcu, std::wstring(kSystemAppDataKey) + L"\\" + family);
    test.SeedValue(kHkcu, TaskKey(family, taskId), L"State", type, state);
}

void RegisterPackage(ContractTest& test, const std::wstring& fullName, const std::wstring& folder,
                     const std::wstring& displayName) {
    const std::wstring key = std::wstring(kPackageRepositoryKey) + L"\\" + fullName;
    test.RemoveKeyAfterwards(kHkcu, key);
    test.SeedString(kHkcu, key, L"PackageRootFolder", folder);
    test.SeedString(kHkcu, key, L"DisplayName", displayName);
}

// The tasks of this world's families; other programs' stay out of it.
std::vector<PackagedStartupTask> OwnTasks(InventoryWorld& world) {
    std::vector<PackagedStartupTask> own;
    for (PackagedStartupTask& task : ListPackagedStartupTasks(world.platform())) {
        if (task.familyName.rfind(world.Name(L""), 0) == 0) own.push_back(std::move(task));
    }
    return own;
}

std::vector<std::uint8_t> StoredState(ContractBackend& backend, const std::wstring& family,
                                      const std::wstring& taskId) {
    const auto value = backend.GetValue(kHkcu, TaskKey(family, taskId), L"State");
    if (!value || value->type != kRegDword) return {};
    return value->bytes;
}

TEST(PackageFamilyNameTest, NameAndPublisherOfAFiveFieldFullName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Microsoft.WindowsTerminal_1.18.3181.0_x64__8wekyb3d8bbwe", L"Microsoft.WindowsTerminal_8wekyb3d8bbwe"},
        {L"App_1.0_neutral_split.scale-100_pub", L"App_pub"},
        {L"App_x_x_x_pub", L"App_pub"},
        {L"App_1.0.0.0_x64_pub", L""},
        {L"App_1.0.0.0_x64___pub", L""},
        {L"_1.0.0.0_x64__pub", L""},
        {L"App_1.0.0.0_x64__", L""},
        {L"", L""},
    };
    for (const auto& [fullName, family] : cases) EXPECT_EQ(PackageFamilyName(fullName), family) << fullName;
}

// The newest package of the family that holds the apps gives the folder;
// the manifest there names each task and its program, with the package's
// display name standing in for a resource name. Subkeys without a State
// are no tasks; a State that is no DWORD leaves the state unknown.
TEST_P(ContractTest, PackagedTasksAreListedWithTheirManifestNamesAndPrograms) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const Platform& platform = world.platform();
    const std::wstring app = world.Name(L"App");
    const std::wstring family = app + L"_" + kPublisher;
    const std::wstring folder = world.Folder(L"AppPackage");
    const std::wstring program = world.Program(world.FolderAt(folder + L"\\App"), L"app.exe");
    const std::wstring helper = world.Program(world.FolderAt(folder + L"\\Tasks"), L"helper.exe");
    RegisterPackage(*this, app + L"_1.0.0.0_x64__" + kPublisher, world.Folder(L"OldVersion"), L"Old");
    RegisterPackage(*this, app + L"_1.2.3.4_x64__" + kPublisher, folder, L"Quill Packaged App");
    RegisterPackage(*this, app + L"_1.2.3.4_neutral_split.scale-100_" + kPublisher, world.Folder(L"Scale"), L"Res");
    const std::vector<ManifestStartupTask> declared{{L"MainTask", L"Quill helper", L"Tasks\\helper.exe"},
                                                    {L"ResourceTask", L"ms-resource:TaskName", L"App\\app.exe"},
                                                    {L"oddtask", L"Odd", L"App\\app.exe"},
                                                    {L"PolicyTask", L"Fixed", L"App\\app.exe"}};
    StageManifest(*this, platform, folder + L"\\AppxManifest.xml", ManifestText(L"App\\app.exe", declared), declared);
    SeedTask(*this, family, L"MainTask", kRegDword, Dword(2));
    SeedTask(*this, family, L"PolicyTask", kRegDword, Dword(4));
    SeedTask(*this, family, L"OddTask", kRegSz, Utf16Bytes(std::wstring(L"2") + L'\0'));
    SeedTask(*this, family, L"ResourceTask", kRegDword, Dword(1));
    SeedTask(*this, family, L"Undeclared", kRegDword, Dword(0));
    SeedString(kHkcu, std::wstring(kSystemAppDataKey) + L"\\" + family + L"\\Schemas", L"PackageFullName", app);
    // A family whose package is gone, and one whose every name is a resource.
    const std::wstring gone = world.Name(L"Gone") + L"_" + kPublisher;
    SeedTask(*this, gone, L"Left", kRegDword, Dword(2));
    const std::wstring resources = world.Name(L"Res");
    const std::wstring resourceFolder = world.Folder(L"ResPackage");
    RegisterPackage(*this, resources + L"_2.0.0.0_x86__" + kPublisher, resourceFolder,
                    L"@{" + resources + L"?ms-resource://Res/Resources/Name}");
    const std::vector<ManifestStartupTask> resourceTasks{{L"Task", L"ms-resource:Task", L"r.exe"}};
    StageManifest(*this, platform, resourceFolder + L"\\AppxManifest.xml", ManifestText(L"r.exe", resourceTasks),
                  resourceTasks);
    SeedTask(*this, resources + L"_" + kPublisher, L"Task", kRegDword, Dword(2));

    const std::vector<PackagedStartupTask> expected{
        {family, L"MainTask", L"Quill helper", helper, 2, true},
        {family, L"OddTask", L"Odd", program, 0, false},
        {family, L"PolicyTask", L"Fixed", program, 4, true},
        {family, L"ResourceTask", L"Quill Packaged App", program, 1, true},
        {family, L"Undeclared", L"Undeclared", L"", 0, true},
        {gone, L"Left", L"Left", L"", 2, true},
        {resources + L"_" + kPublisher, L"Task", L"Task", resourceFolder + L"\\r.exe", 2, true},
    };
    EXPECT_EQ(OwnTasks(world), expected);
}

// Whoever can write the package's folder can put anything in its manifest:
// a manifest that cannot be read, or is refused, leaves the task its id as
// its name and no program, and the list goes on.
TEST_P(ContractTest, PackagedTaskWithAnUnreadableManifestIsNamedByItsId) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::vector<ManifestStartupTask> declared{{L"Task", L"Shown", L"app.exe"}};
    const std::string good = ManifestText(L"app.exe", declared);
    const std::string body = good.substr(good.find("<Package"));
    std::string nested;
    for (int i = 0; i < 50000; ++i) nested += "<x>";
    for (int i = 0; i < 50000; ++i) nested += "</x>";
    std::string deep = good;
    deep.insert(deep.find("<Extensions>"), nested);
    // A document type of any kind is refused, the harmless one too.
    std::string typed = "<?xml version=\"1.0\"?>\n<!DOCTYPE Package [<!ENTITY n \"Shown\">]>\n" + body;
    typed.replace(typed.find("Shown\"/>"), 5, "&n;");
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE Package [<!ENTITY a \"aaaaaaaaaa\">";
    for (char entity = 'b'; entity <= 'j'; ++entity) {
        laughs += std::string("<!ENTITY ") + entity + " \"";
        for (int i = 0; i < 10; ++i) laughs += std::string("&") + static_cast<char>(entity - 1) + ";";
        laughs += "\">";
    }
    laughs += "]>\n" + body;
    laughs.replace(laughs.find("Shown"), 5, "&j;");
    struct Case {
        const char* label;
        std::optional<std::string> text;  // none: no file
        bool folderInItsPlace;
        const wchar_t* name;
        bool program;
    };
    const std::vector<Case> cases{
        {"well-formed", good, false, L"Shown", true},
        {"missing", std::nullopt, false, L"Task", false},
        {"a folder in its place", std::nullopt, true, L"Task", false},
        {"no XML", std::string("MZ\x90\0\3", 5), false, L"Task", false},
        {"cut short", good.substr(0, good.size() / 2), false, L"Task", false},
        {"larger than any manifest", good + "<!--" + std::string(kMaxManifestBytes, ' ') + "-->", false, L"Task",
         false},
        {"nested without end", deep, false, L"Task", false},
        {"a document type", typed, false, L"Task", false},
        {"entity expansion", laughs, false, L"Task", false},
    };
    std::vector<PackagedStartupTask> expected;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::wstring name = world.Name(L"Bad" + std::to_wstring(i));
        const std::wstring folder = world.Folder(L"Bad" + std::to_wstring(i));
        RegisterPackage(*this, name + L"_1.0.0.0_x64__" + kPublisher, folder, L"Package name");
        SeedTask(*this, name + L"_" + kPublisher, L"Task", kRegDword, Dword(2));
        const std::wstring manifest = folder + L"\\AppxManifest.xml";
        if (cases[i].text) {
            const bool readable = cases[i].program;
            StageManifest(*this, world.platform(), manifest, *cases[i].text,
                          readable ? std::make_optional(declared) : std::nullopt);
        }
        if (cases[i].folderInItsPlace) world.FolderAt(manifest);
        expected.push_back({name + L"_" + kPublisher, L"Task", cases[i].name,
                            cases[i].program ? folder + L"\\app.exe" : L"", 2, true});
    }
    const auto listed = OwnTasks(world);
    ASSERT_EQ(listed.size(), expected.size());
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(listed[i], expected[i]) << cases[i].label;
}

// Settings switches a task off with State 1 and on with 2; a State a policy
// set (3, 4) is not the user's to change, even when the policy came after
// the list was read; a task whose key has gone is not made again.
TEST_P(ContractTest, PackagedTaskDisableAndEnableWriteStateUnlessAPolicyFixedIt) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring family = world.Name(L"Switch") + L"_" + kPublisher;
    SeedTask(*this, family, L"Free", kRegDword, Dword(0));
    SeedTask(*this, family, L"Later", kRegDword, Dword(2));
    SeedTask(*this, family, L"Off", kRegDword, Dword(3));
    SeedTask(*this, family, L"On", kRegDword, Dword(4));
    const auto tasks = OwnTasks(world);
    ASSERT_EQ(tasks.size(), 4u);
    const PackagedStartupTask& free = tasks[0];
    EXPECT_FALSE(PackagedTaskLocked(free));
    EXPECT_EQ(SetPackagedTaskEnabled(world.platform(), free, false), kErrorSuccess);
    EXPECT_EQ(StoredState(*backend_, family, L"Free"), Dword(1));
    EXPECT_EQ(SetPackagedTaskEnabled(world.platform(), free, true), kErrorSuccess);
    EXPECT_EQ(StoredState(*backend_, family, L"Free"), Dword(2));

    SeedTask(*this, family, L"Later", kRegDword, Dword(3));
    for (const std::size_t fixed : {1u, 2u, 3u}) {
        const PackagedStartupTask& task = tasks[fixed];
        SCOPED_TRACE(testing::PrintToString(task.taskId));
        EXPECT_EQ(PackagedTaskLocked(task).has_value(), task.taskId != L"Later");
        const std::vector<std::uint8_t> before = StoredState(*backend_, family, task.taskId);
        for (const bool enabled : {false, true})
            EXPECT_EQ(SetPackagedTaskEnabled(world.platform(), task, enabled), kErrorAccessDisabledByPolicy);
        EXPECT_EQ(StoredState(*backend_, family, task.taskId), before);
    }

    backend_->DeleteKeyTree(kHkcu, TaskKey(family, L"Free"));
    EXPECT_EQ(SetPackagedTaskEnabled(world.platform(), free, true), kErrorFileNotFound);
    EXPECT_FALSE(backend_->KeyExists(kHkcu, TaskKey(family, L"Free")));
}

// In the current user's list a task is a row of its own place: Disable
// writes its State, a task fixed by policy says so and refuses, and removal
// is not the way to be rid of it.
TEST_P(ContractTest, PackagedTaskRowsFollowTheCurrentUsersOtherPlaces) {
    InventoryWorld world(*this, *backend_, GetParam().name);
    const std::wstring family = world.Name(L"Rows_") + kPublisher;
    SeedTask(*this, family, L"Free", kRegDword, Dword(2));
    SeedTask(*this, family, L"Fixed", kRegDword, Dword(4));
    world.SetRunString(StartupScope::CurrentUser, L"Before", L"C:\\a.exe");
    const ScopeList list = world.Load(StartupScope::CurrentUser);
    std::vector<StartupEntry> tasks;
    for (const StartupEntry& row : list.rows) {
        if (row.source == EntrySource::PackagedApp && row.task.familyName == family) tasks.push_back(row);
    }
    ASSERT_EQ(tasks.size(), 2u);
    if (tasks[0].task.taskId != L"Free") std::swap(tasks[0], tasks[1]);
    EXPECT_EQ(list.rows.front().name, L"Before") << "tasks follow the other places";
    EXPECT_EQ(StatusText(world.platform(), tasks[1]), L"Enabled (Set by policy)");
    EXPECT_FALSE(CanDisableAny(std::span(&tasks[1], 1)));
    EXPECT_TRUE(DisableEntries(world.context(), StartupScope::CurrentUser, std::span(&tasks[0], 1)).empty());
    EXPECT_EQ(StoredState(*backend_, family, L"Free"), Dword(1));
    const auto refused = DisableEntries(world.context(), StartupScope::CurrentUser, std::span(&tasks[1], 1));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_FALSE(refused[0].reason.empty());
    EXPECT_EQ(StoredState(*backend_, family, L"Fixed"), Dword(4));
    const auto kept = RemoveEntries(world.context(), StartupScope::CurrentUser, tasks, world.Records(StartupScope::CurrentUser)).failures;
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].reason, kReasonPackagedTask);
    EXPECT_TRUE(backend_->KeyExists(kHkcu, TaskKey(family, L"Free")));
}

}  // namespace
}  // namespace quillmark
