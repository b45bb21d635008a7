// quillmark-cli's commands on the stand-ins: exactly one row changed, exit
// codes a script can act on, and the refusals Wine never makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/texts.h"
#include "cli/cli_run.h"
#include "cli/exit_codes.h"
#include "inventory/package_repository.h"
#include "inventory/remove_entries.h"
#include "inventory/startup_approved.h"
#include "inventory/undo_removal.h"
#include "tests/contract/contract_fixture.h"
#include "tests/stand_ins/portable_platform.h"
#include "tests/support/record_parsers.h"

namespace quillmark {
namespace {

constexpr wchar_t kStartup[] = L"C:\\Users\\quill\\Startup";
constexpr wchar_t kCommonStartup[] = L"C:\\ProgramData\\Startup";
constexpr wchar_t kApp[] = L"C:\\Tools\\app.exe";
constexpr char kDocuments[] = "C:\\Users\\quill\\Documents";
constexpr wchar_t kRunOncePath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr wchar_t kPolicyRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
constexpr wchar_t kTaskFamily[] = L"Quill.Clock_pub";
constexpr wchar_t kApprovedRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

class RecordingOutput final : public CliOutput {
public:
    void Write(CliStream stream, const std::wstring& text) override {
        (stream == CliStream::Out ? out : error) += text;
    }
    int Width(CliStream) const override { return 0; }
    std::wstring out;
    std::wstring error;
};

// Both scopes with a Run key and a Startup folder. The user's scope holds a
// Run value and a Startup shortcut that are both named "app.exe" (a shortcut
// row is named after its target), "Updater", and "Gone", whose program is
// missing, then a Run once value "Once", a policy value "Pinned", and two
// packaged apps' tasks: "ClockTask" (on) and "PolicyTask" (on by policy);
// the machine's Run key holds "Machine".
struct CliWorld {
    CliWorld() {
        auto& registry = world_.registry();
        world_.shell().SetFolderPath(kCsidlPersonal, kDocuments);
        world_.shell().SetFolderPath(kCsidlCommonAppData, "C:\\ProgramData");
        world_.files().AddFolder(L"C:\\ProgramData");
        registry.SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kStartup);
        registry.SetString(RegistryRoot::LocalMachine, kShellFoldersPath, L"Common Startup", kCommonStartup);
        for (const wchar_t* folder : {kStartup, kCommonStartup}) world_.files().AddFolder(folder);
        world_.files().AddFile(kApp);
        registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"app.exe", kApp);
        registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"Updater", L"\"C:\\Tools\\app.exe\" /update");
        registry.SetString(RegistryRoot::CurrentUser, kRunKeyPath, L"Gone", L"C:\\Nowhere\\gone.exe /quiet");
        registry.SetString(RegistryRoot::CurrentUser, kRunOncePath, L"Once", kApp);
        registry.SetString(RegistryRoot::CurrentUser, kPolicyRunPath, L"Pinned", kApp);
        for (const auto& [task, state] : {std::pair{L"ClockTask", 2}, std::pair{L"PolicyTask", 4}}) {
            registry.SetValue(RegistryRoot::CurrentUser, TaskKey(task), L"State", kRegDword,
                              {static_cast<std::uint8_t>(state), 0, 0, 0});
        }
        registry.SetString(RegistryRoot::LocalMachine, kRunKeyPath, L"Machine", kApp);
        RunOk({L"add", L"--name", L"App", L"--path", kApp});
    }
    int RunArguments(std::vector<std::wstring> arguments) {
        output_ = RecordingOutput();
        return RunCli(arguments, platform_, output_);
    }
    void RunOk(std::vector<std::wstring> arguments) {
        ASSERT_EQ(RunArguments(std::move(arguments)), kExitDone) << testing::PrintToString(output_.error);
    }
    bool HasUserValue(const wchar_t* name) {
        return world_.registry().ValueExists(RegistryRoot::CurrentUser, kRunKeyPath, name);
    }
    bool Disabled(const wchar_t* name) {
        const auto* value = world_.registry().FindValue(RegistryRoot::CurrentUser, kApprovedRun, name);
        return value != nullptr && !value->data.empty() && (value->data[0] & 1) != 0;
    }
    static std::wstring TaskKey(const std::wstring& task) {
        return std::wstring(kSystemAppDataKey) + L"\\" + kTaskFamily + L"\\" + task;
    }
    std::uint8_t TaskState(const wchar_t* task) {
        const auto* value = world_.registry().FindValue(RegistryRoot::CurrentUser, TaskKey(task), L"State");
        return value == nullptr || value->data.empty() ? 0 : value->data[0];
    }
    bool HasUserShortcut() { return world_.files().FileExists(std::wstring(kStartup) + L"\\App.lnk"); }

    PortablePlatform world_;
    Platform platform_ = world_.View();
    RecordingOutput output_;
};

class CliRunTest : public testing::Test, protected CliWorld {};

TEST_F(CliRunTest, ListsEveryRowOfBothScopesWithItsStatus) {
    RunOk({L"list", L"--format", L"json"});
    const auto objects = testing_support::ParseJsonObjects(output_.out);
    ASSERT_TRUE(objects) << testing::PrintToString(output_.out);
    std::vector<std::wstring> rows;
    for (const auto& object : *objects) {
        rows.push_back(*object.at(L"scope") + L"|" + *object.at(L"source") + L"|" + *object.at(L"name") + L"|" +
                       *object.at(L"status") + L"|" + *object.at(L"program"));
    }
    const std::vector<std::wstring> expected = {
        L"user|Run|app.exe|enabled|C:\\Tools\\app.exe",
        L"user|Run|Updater|enabled|C:\\Tools\\app.exe",
        L"user|Run|Gone|program not found|C:\\Nowhere\\gone.exe",
        L"user|Startup folder|app.exe|enabled|C:\\Tools\\app.exe",
        L"user|Run once|Once|enabled|C:\\Tools\\app.exe",
        L"user|Policy|Pinned|enabled|C:\\Tools\\app.exe",
        L"user|App|ClockTask|enabled|",
        L"user|App|PolicyTask|enabled (set by policy)|",
        L"all|Run|Machine|enabled|C:\\Tools\\app.exe",
    };
    EXPECT_EQ(rows, expected);
    const std::vector<std::wstring> places = {
        kStartup,
        L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
        L"HKEY_CURRENT_USER\\" + CliWorld::TaskKey(L"ClockTask"),
        L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    };
    EXPECT_EQ((std::vector{*(*objects)[3].at(L"where"), *(*objects)[5].at(L"where"), *(*objects)[6].at(L"where"),
                           *(*objects)[8].at(L"where")}),
              places);
}

struct ChangeCase {
    const char* what;
    std::vector<std::wstring> arguments;
    int exitCode;
    const wchar_t* output;  // a part of standard output, or of standard error when the code is not 0
    std::function<bool(CliWorld&)> after;
};

const ChangeCase kChangeCases[] = {
    {"disable one row, named in another letter case",
     {L"disable", L"--name", L"UPDATER"},
     kExitDone,
     L"Disabled 'Updater' (user, Run, HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run).",
     [](CliWorld& w) { return w.Disabled(L"Updater") && w.HasUserValue(L"Updater"); }},
    {"what-if changes nothing",
     {L"remove", L"--name", L"Updater", L"--what-if"},
     kExitDone,
     L"What if: would remove 'Updater' (user, Run,",
     [](CliWorld& w) { return w.HasUserValue(L"Updater"); }},
    {"a name of two rows is refused, both listed",
     {L"remove", L"--name", L"app.exe"},
     kExitUsage,
     L"More than one entry is named 'app.exe'",
     [](CliWorld& w) { return w.HasUserValue(L"app.exe") && w.HasUserShortcut(); }},
    {"the source tells them apart",
     {L"remove", L"--name", L"app.exe", L"--source", L"startup FOLDER"},
     kExitDone,
     L"Removed 'app.exe' (user, Startup folder, C:\\Users\\quill\\Startup).",
     [](CliWorld& w) { return w.HasUserValue(L"app.exe") && !w.HasUserShortcut(); }},
    {"a name of no row is refused, the rows listed",
     {L"enable", L"--name", L"Nothing"},
     kExitUsage,
     L"No entry is named 'Nothing'. The entries are:",
     nullptr},
    {"an entry enabled already is left",
     {L"enable", L"--name", L"Updater"},
     kExitDone,
     L"is enabled already; nothing changed",
     [](CliWorld& w) { return !w.Disabled(L"Updater"); }},
    {"--scope narrows the search",
     {L"remove", L"--name", L"Machine", L"--scope", L"user"},
     kExitUsage,
     L"No entry is named 'Machine'",
     nullptr},
    {"a packaged app's task is switched through its State",
     {L"disable", L"--name", L"clocktask"},
     kExitDone,
     L"Disabled 'ClockTask' (user, App,",
     [](CliWorld& w) { return w.TaskState(L"ClockTask") == 1; }},
    {"a task fixed by policy is refused, and says so",
     {L"disable", L"--name", L"PolicyTask"},
     kExitFailed,
     L"Could not switch off 'PolicyTask'",
     [](CliWorld& w) { return w.TaskState(L"PolicyTask") == 4; }},
    {"a packaged app's task is not removed",
     {L"remove", L"--name", L"ClockTask"},
     kExitFailed,
     kReasonPackagedTask,
     [](CliWorld& w) { return w.TaskState(L"ClockTask") == 2; }},
    {"a Run once value has no Disabled mark",
     {L"disable", L"--name", L"Once"},
     kExitFailed,
     L"Windows keeps no Disabled mark for Run once entries",
     [](CliWorld& w) { return !w.Disabled(L"Once"); }},
    {"nothing to undo", {L"undo"}, kExitFailed, L"There is no removal of scope user to undo.", nullptr},
    {"the add panel's refusal of a blank path",
     {L"add", L"--name", L"x", L"--path", L" "},
     kExitUsage,
     texts::kPathMissing,
     nullptr},
    {"an existing shortcut is kept",
     {L"add", L"--name", L"App", L"--path", L"C:\\Other\\b.exe"},
     kExitFailed,
     L"A startup entry named 'App.lnk' already exists; nothing was written.",
     nullptr},
    {"usage errors name the fault",
     {L"list", L"--scope", L"everyone"},
     kExitUsage,
     L"quillmark-cli: --scope takes user|all|both, not 'everyone'",
     nullptr},
};

TEST(CliRun, ExactlyOneRowChangesOrTheCodeSaysWhyNot) {
    for (const ChangeCase& c : kChangeCases) {
        SCOPED_TRACE(c.what);
        CliWorld world;
        const int code = world.RunArguments(c.arguments);
        EXPECT_EQ(code, c.exitCode) << testing::PrintToString(world.output_.error);
        const std::wstring& text = code == kExitDone ? world.output_.out : world.output_.error;
        EXPECT_NE(text.find(c.output), std::wstring::npos) << testing::PrintToString(text);
        if (c.after) {
            EXPECT_TRUE(c.after(world));
        }
    }
}

// The removal record is the window's own: the window's undo puts it back,
// and the shell is never allowed to ask, as nobody may be there to answer.
TEST_F(CliRunTest, RemovalIsRecordedForUndoAndAsksNothing) {
    RunOk({L"remove", L"--name", L"Pinned", L"--source", L"policy"});
    EXPECT_NE(output_.out.find(L"Windows may put it back"), std::wstring::npos);
    RunOk({L"remove", L"--name", L"Updater"});
    RunOk({L"remove", L"--name", L"app.exe", L"--source", L"Startup folder"});
    EXPECT_FALSE(HasUserValue(L"Updater"));
    ASSERT_EQ(world_.shell().FileOperations().size(), 1u);
    EXPECT_FALSE(world_.shell().FileOperations()[0].flags & kFofWantNukeWarning);
    EXPECT_TRUE(
        CanUndoRemoval(platform_, StartupScope::CurrentUser, RecordsPlaceOf(platform_, StartupScope::CurrentUser)));
    RunOk({L"undo"});
    EXPECT_NE(output_.out.find(L"Put back '" + std::wstring(kStartup) + L"\\App.lnk'."), std::wstring::npos);
    RunOk({L"undo", L"--scope", L"user"});
    EXPECT_TRUE(HasUserValue(L"Updater"));
    RunOk({L"undo"});
    EXPECT_TRUE(world_.registry().ValueExists(RegistryRoot::CurrentUser, kPolicyRunPath, L"Pinned"));
    // Without a data folder there is no record, so nothing goes.
    world_.shell().SetFolderPath(kCsidlPersonal, "", kEFail);
    EXPECT_EQ(RunArguments({L"remove", L"--name", L"Updater"}), kExitFailed);
    EXPECT_TRUE(HasUserValue(L"Updater"));
}

// What a standard user meets on Windows and Wine never shows: each change of
// the machine's scope is refused, and the code says an elevated run may do it.
TEST_F(CliRunTest, RefusedForWantOfRightsIsExitCodeThree) {
    world_.registry().MakeReadOnly(RegistryRoot::LocalMachine, L"");
    // A standard user cannot make the administrators' folder of the all users' records.
    world_.files().SetCreatorOwner(L"S-1-5-21-7-1001");
    world_.links().RefuseSave(kEAccessDenied);
    const std::vector<std::vector<std::wstring>> changes = {
        {L"disable", L"--name", L"Machine"},
        {L"remove", L"--name", L"Machine", L"--scope", L"all"},
        {L"add", L"--name", L"Tool", L"--path", kApp, L"--scope", L"all"},
    };
    for (const auto& arguments : changes) {
        SCOPED_TRACE(testing::PrintToString(arguments[0]));
        EXPECT_EQ(RunArguments(arguments), kExitNeedsAdministrator);
        EXPECT_FALSE(output_.error.empty());
    }
    EXPECT_TRUE(world_.registry().ValueExists(RegistryRoot::LocalMachine, kRunKeyPath, L"Machine"));
}

}  // namespace
}  // namespace quillmark
