#include "shellpath/shell_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "shellpath/shortcut_target.h"
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/portable_platform.h"

namespace quillmark {
namespace {


constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class ShellServicesTest : public ::testing::Test {
protected:
    Platform View() { return world_.View(); }
    PortablePlatform world_;
};

// --- folder lookups ----------------------------------------------------------

TEST_F(ShellServicesTest, SpecialFolderPathIsReadInUtf16) {
    world_.shell().SetFolderPathW(kCsidlPersonal, L"C:\\Users\\\u0141ukasz \u4e2d\\Documents");
    world_.shell().SetFolderPath(kCsidlProgramFiles, "C:\\Program Files", kSFalse);
    world_.shell().SetFolderPath(kCsidlSystem, "C:\\junk", kEFail);
    EXPECT_EQ(SpecialFolderPath(View(), kCsidlPersonal), L"C:\\Users\\\u0141ukasz \u4e2d\\Documents");
    EXPECT_EQ(SpecialFolderPath(View(), kCsidlProgramFiles), L"C:\\Program Files");
    EXPECT_EQ(SpecialFolderPath(View(), kCsidlSystem), L"");
    EXPECT_EQ(SpecialFolderPath(View(), 0x7777), L"");
    // No system folder, no program path: never a bare name for the search path.
    EXPECT_EQ(SystemProgramPath(View(), L"RunDll32.exe"), L"");
    for (const char* system : {"C:\\Windows\\System32", "C:\\Windows\\System32\\"}) {
        world_.shell().SetFolderPath(kCsidlSystem, system);
        EXPECT_EQ(SystemProgramPath(View(), L"RunDll32.exe"), L"C:\\Windows\\System32\\RunDll32.exe");
    }
}

TEST_F(ShellServicesTest, DesktopPathIsReadInUtf16AndFreesItsIdList) {
    EXPECT_EQ(DesktopPath(View()), L"");
    world_.shell().SetFolderLocation(kCsidlDesktop, L"");
    EXPECT_EQ(DesktopPath(View()), L"");
    world_.shell().SetFolderLocation(kCsidlDesktop, L"C:\\Users\\\u4e2d\\Desktop");
    EXPECT_EQ(DesktopPath(View()), L"C:\\Users\\\u4e2d\\Desktop");
    EXPECT_EQ(world_.shell().LiveIdLists(), 0);
}

struct ShellFolderCase {
    const char* what;
    void (*arrange)(PortablePlatform&);
    const wchar_t* expected;
};

constexpr wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class CommonShellFolderPathTest : public ShellServicesTest, public ::testing::WithParamInterface<ShellFolderCase> {};

// The shell's known folder, never the "Shell Folders" cache, which a 32-bit
// process would read in the registry's 32-bit view.
TEST_P(CommonShellFolderPathTest, AsksTheShellForTheAllUsersProgramsFolder) {
    SCOPED_TRACE(GetParam().what);
    GetParam().arrange(world_);
    EXPECT_EQ(CommonShellFolderPath(View(), "Common Programs"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CommonShellFolderPathTest,
    ::testing::Values(
        ShellFolderCase{"the shell's folder", [](PortablePlatform& w) {
                            w.registry().SetString(RegistryRoot::LocalMachine, kUserShellFolders, L"Common Programs",
                                                   L"C:\\ProgramData\\Programs \u4e2d");
                            w.files().AddFolder(L"C:\\ProgramData\\Programs \u4e2d");
                        },
                        L"C:\\ProgramData\\Programs \u4e2d"},
        ShellFolderCase{"a folder that is gone", [](PortablePlatform& w) {
                            w.registry().SetString(RegistryRoot::LocalMachine, kUserShellFolders, L"Common Programs",
                                                   L"C:\\Gone");
                        },
                        L""},
        ShellFolderCase{"only the Shell Folders cache", [](PortablePlatform& w) {
                            w.registry().SetString(RegistryRoot::LocalMachine, kShellFolders, L"Common Programs",
                                                   L"C:\\x");
                            w.files().AddFolder(L"C:\\x");
                        },
                        L""}));

// --- handing things to the shell ----------------------------------------------

TEST_F(ShellServicesTest, OpenSpecialFolderExecutesItsIdList) {
    world_.shell().SetFolderLocation(kCsidlDrives, L"");
    OpenSpecialFolder(View(), kCsidlDrives);
    OpenSpecialFolder(View(), 0x7777);  // no id list: nothing is opened
    ASSERT_EQ(world_.shell().Executed().size(), 1u);
    const ExecuteRecord& record = world_.shell().Executed()[0];
    EXPECT_EQ(record.call, L"ShellExecuteExA");
    EXPECT_EQ(record.mask, 0x104u);
    EXPECT_EQ(record.verb, L"open");
    EXPECT_EQ(record.file, L"");
    ASSERT_TRUE(record.idListPath.has_value());
    EXPECT_EQ(record.show, 1);
    EXPECT_EQ(world_.shell().LiveIdLists(), 0);
}

TEST_F(ShellServicesTest, ShowFilePropertiesInvokesThePropertiesVerbOnTheExactPath) {
    ShowFileProperties(View(), L"C:\\\u0418\u043d\u0441\u0442\u0440\\\u5de5\u5177.exe");
    ASSERT_EQ(world_.shell().Executed().size(), 1u);
    const ExecuteRecord& record = world_.shell().Executed()[0];
    EXPECT_EQ(record.call, L"ShellExecuteExW");
    EXPECT_EQ(record.mask, 0xCu);
    EXPECT_EQ(record.verb, L"properties");
    EXPECT_EQ(record.file, L"C:\\\u0418\u043d\u0441\u0442\u0440\\\u5de5\u5177.exe");
    EXPECT_FALSE(record.idListPath.has_value());
    EXPECT_EQ(record.show, 0);
}

// --- icons ---------------------------------------------------------------------

TEST_F(ShellServicesTest, MakeImageList32BitKeepsTheBuiltInImageOnly) {
    MakeImageList32Bit(nullptr);
    CountingImageList list;
    MakeImageList32Bit(&list);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.BitsPerPixel(), 32);
    EXPECT_EQ(list.Generation(), 1);
}

TEST_F(ShellServicesTest, MakeImageList32BitFailureLeavesNoHandle) {
    CountingImageList list;
    list.FailRecreate(true);
    try {
        MakeImageList32Bit(&list);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Invalid ImageList");
    }
    EXPECT_FALSE(list.HasHandle());
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ShellServicesTest, AddFileIconAppendsOnlyExistingIcons) {
    CountingImageList list;
    world_.shell().AddIcon(L"C:\\Tools\\app.exe");
    EXPECT_EQ(AddFileIcon(View(), list, L"c:\\tools\\APP.exe"), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(AddFileIcon(View(), list, L"C:\\Tools\\missing.exe"), -1);
    EXPECT_EQ(list.Count(), 2);
    list.RefuseIcons(true);
    EXPECT_EQ(AddFileIcon(View(), list, L"C:\\Tools\\app.exe"), -1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(world_.shell().LiveIcons(), 0);
}

// --- recycling -----------------------------------------------------------------

class RecycleFileTest : public ShellServicesTest {
protected:
    RecycleFileTest() {
        world_.files().AddFile(L"C:\\Startup\\a.lnk");
        world_.files().AddFile(L"C:\\Startup\\ab.lnk");
        world_.files().AddFolder(L"C:\\Startup\\folder");
    }
};

TEST_F(RecycleFileTest, SendsExactlyThatFile) {
    EXPECT_TRUE(RecycleFile(View(), L"C:\\Startup\\a.lnk"));
    EXPECT_FALSE(world_.files().FileExists(L"C:\\Startup\\a.lnk"));
    EXPECT_TRUE(world_.files().FileExists(L"C:\\Startup\\ab.lnk"));
    ASSERT_EQ(world_.shell().FileOperations().size(), 1u);
    const FileOperation& operation = world_.shell().FileOperations()[0];
    EXPECT_EQ(operation.function, kFoDelete);
    EXPECT_EQ(operation.from, L"C:\\Startup\\a.lnk");
    // The shell shows no error box of its own (our report comes instead),
    // but still asks before deleting for good.
    EXPECT_TRUE(operation.flags & kFofNoErrorUi);
    EXPECT_TRUE(operation.flags & kFofWantNukeWarning);
    // A program with nobody to answer lets the shell ask nothing.
    EXPECT_TRUE(RecycleFile(View(), L"C:\\Startup\\ab.lnk", nullptr, WithoutRecycleBin::DeleteForGood));
    EXPECT_EQ(world_.shell().FileOperations().back().flags & (kFofWantNukeWarning | kFofNoErrorUi), kFofNoErrorUi);
}

TEST_F(RecycleFileTest, RelativePathIsCompletedFromTheCurrentDirectory) {
    world_.files().SetCurrentDirectory(L"C:\\Startup");
    EXPECT_TRUE(RecycleFile(View(), L"ab.lnk"));
    ASSERT_EQ(world_.shell().FileOperations().size(), 1u);
    EXPECT_EQ(world_.shell().FileOperations()[0].from, L"C:\\Startup\\ab.lnk");
    EXPECT_TRUE(world_.files().FileExists(L"C:\\Startup\\a.lnk"));
}

TEST_F(RecycleFileTest, RefusesFoldersMissingFilesAndWildcards) {
    for (const wchar_t* path : {L"C:\\Startup\\folder", L"C:\\Startup\\missing.lnk", L"C:\\Startup\\a?.lnk",
                                L"C:\\Startup\\a*", L"C:\\Startup\\*", L""}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        EXPECT_FALSE(RecycleFile(View(), path));
    }
    EXPECT_TRUE(world_.shell().FileOperations().empty());
    EXPECT_TRUE(world_.files().FileExists(L"C:\\Startup\\a.lnk"));
    EXPECT_TRUE(world_.files().FileExists(L"C:\\Startup\\ab.lnk"));
    EXPECT_TRUE(world_.files().DirectoryExists(L"C:\\Startup\\folder"));
}

// The shell refuses, or the user declines its question (such as whether to
// delete for good a file no recycle bin can take): false, and why.
TEST_F(RecycleFileTest, RefusedOrDeclinedRecycleSaysWhy) {
    struct Case {
        const char* what;
        FileOperationResult answer;
        bool accessDenied;
    };
    const Case cases[] = {
        {"declined", {0, true}, false},
        {"access denied", {5, false}, true},
        {"access denied to the source", {0x78, false}, true},
        {"elevation required", {740, false}, true},
        {"access denied as an HRESULT", {static_cast<int>(0x80070005u), false}, true},
        {"refused, then the operation given up", {5, true}, true},
        {"cancelled", {0x75, false}, false},
        {"other refusal", {0x7C, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world_.shell().SetFileOperationAnswer(c.answer);
        RecycleFailure failure;
        EXPECT_FALSE(RecycleFile(View(), L"C:\\Startup\\a.lnk", &failure));
        EXPECT_FALSE(failure.reason.empty());
        EXPECT_EQ(failure.accessDenied, c.accessDenied);
    }
    EXPECT_TRUE(world_.files().FileExists(L"C:\\Startup\\a.lnk"));
}

// --- shortcuts -------------------------------------------------------------------

struct ShortcutCase {
    const wchar_t* target;
    const wchar_t* name;
    const wchar_t* file;
    const wchar_t* workingDirectory;
    // The link object makes the target absolute against the current
    // directory (C:\ here), a web address included.
    const wchar_t* stored;
};

class CreateShortcutFileTest : public ShellServicesTest, public ::testing::WithParamInterface<ShortcutCase> {
protected:
    CreateShortcutFileTest() { world_.files().AddFolder(L"C:\\Startup"); }
};

TEST_P(CreateShortcutFileTest, WritesPathAndWorkingDirectoryOnly) {
    const ShortcutCase& c = GetParam();
    EXPECT_TRUE(CreateShortcutFile(View(), c.target, c.name, L"C:\\Startup"));
    EXPECT_TRUE(world_.files().FileExists(c.file));
    const LinkRecord* saved = world_.links().Find(c.file);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->target, c.stored);
    EXPECT_EQ(saved->workingDirectory, c.workingDirectory);
    EXPECT_EQ(ResolveShortcutTarget(View(), c.file), c.stored);
    EXPECT_EQ(world_.links().ObjectsAlive(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CreateShortcutFileTest,
    ::testing::Values(
        ShortcutCase{L"C:\\Tools\\app.exe", L"Tools", L"C:\\Startup\\Tools.lnk", L"C:\\Tools\\",
                     L"C:\\Tools\\app.exe"},
        ShortcutCase{L"C:\\Tools", L"Folder", L"C:\\Startup\\Folder.lnk", L"C:\\", L"C:\\Tools"},
        ShortcutCase{L"http://www.example.com/start", L"Web", L"C:\\Startup\\Web.lnk", L"http:",
                     L"C:\\http:\\www.example.com\\start"},
        ShortcutCase{L"app.exe", L"Bare", L"C:\\Startup\\Bare.lnk", L"", L"C:\\app.exe"},
        ShortcutCase{L"C:\\Tools\\app.exe", L"Tools ", L"C:\\Startup\\Tools .lnk", L"C:\\Tools\\",
                     L"C:\\Tools\\app.exe"},
        ShortcutCase{L"C:\\Tools\\Caf\u00e9 \u4e2d.exe", L"Wide", L"C:\\Startup\\Wide.lnk", L"C:\\Tools\\",
                     L"C:\\Tools\\Caf\u00e9 \u4e2d.exe"}));

// Enough of the Japanese code page (932) for the cut below: ASCII as is, and
// U+8868, whose second byte is the byte of a backslash (0x95 0x5C).
class JapaneseCodePageSample final : public CodePage {
public:
    std::string ToAnsi(const std::wstring& text) const override {
        std::string out;
        for (const wchar_t c : text) {
            if (c == L'\u8868') {
                out += "\x95\x5c";
            } else {
                out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
            }
        }
        return out;
    }
    std::wstring FromAnsi(const std::string& text) const override {
        std::wstring out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool lead = static_cast<unsigned char>(text[i]) == 0x95 && i + 1 < text.size();
            out.push_back(lead ? L'\u8868' : static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
            if (lead) ++i;
        }
        return out;
    }
    std::wstring Upper(const std::wstring& text) const override { return text; }
    std::wstring Lower(const std::wstring& text) const override { return text; }
};

TEST_F(CreateShortcutFileTest, DoubleByteNameKeepsTheWorkingDirectoryIntact) {
    const JapaneseCodePageSample japanese;
    const Platform platform = View();
    const Platform inJapan{platform.registry, platform.files, platform.environment, japanese,
                           platform.links,    platform.installer, platform.shell, platform.manifests};
    ASSERT_TRUE(CreateShortcutFile(inJapan, L"C:\\Data\\\u8868.exe", L"Table", L"C:\\Startup"));
    EXPECT_EQ(world_.links().Find(L"C:\\Startup\\Table.lnk")->workingDirectory, L"C:\\Data\\");
}

TEST_F(CreateShortcutFileTest, CallsTheLinkObjectAsTheShellExpects) {
    EXPECT_TRUE(CreateShortcutFile(View(), L"C:\\Tools\\app.exe", L"Tools", L"C:\\Startup"));
    const std::vector<std::wstring> expected = {L"CreateWide 5 unknown", L"QueryPersistFile",
                                                L"SetPath C:\\Tools\\app.exe", L"SetWorkingDirectory C:\\Tools\\",
                                                L"Save C:\\Startup\\Tools.lnk 0"};
    EXPECT_EQ(world_.links().Calls(), expected);
}

TEST_F(CreateShortcutFileTest, ReplacesAnExistingShortcut) {
    ASSERT_TRUE(CreateShortcutFile(View(), L"C:\\Old\\old.exe", L"Tools", L"C:\\Startup"));
    EXPECT_TRUE(CreateShortcutFile(View(), L"C:\\New\\new.exe", L"tools", L"C:\\Startup"));
    EXPECT_EQ(ResolveShortcutTarget(View(), L"C:\\Startup\\Tools.lnk"), L"C:\\New\\new.exe");
}

TEST_F(CreateShortcutFileTest, FolderIsTakenInUtf16) {
    world_.files().AddFolder(L"C:\\\u4e2d\u6587");
    EXPECT_TRUE(CreateShortcutFile(View(), L"C:\\a.exe", L"A", L"C:\\\u4e2d\u6587"));
    EXPECT_TRUE(world_.files().FileExists(L"C:\\\u4e2d\u6587\\A.lnk"));
}

TEST_F(CreateShortcutFileTest, MissingFolderReportsNothingWritten) {
    EXPECT_FALSE(CreateShortcutFile(View(), L"C:\\a.exe", L"A", L"C:\\Nowhere"));
    EXPECT_FALSE(world_.files().FileExists(L"C:\\Nowhere\\A.lnk"));
    EXPECT_EQ(world_.links().LinkCount(), 0u);
}

TEST_F(CreateShortcutFileTest, UnavailableLinkObjectIsAnError) {
    struct Case {
        const char* what;
        void (*arrange)(LinkTable&);
        const wchar_t* message;
    };
    const Case cases[] = {
        {"create", [](LinkTable& t) { t.FailCreate(kClassNotRegistered); }, L"Class not registered"},
        {"persist file", [](LinkTable& t) { t.RefusePersistFile(kENoInterface); }, L"No such interface supported"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PortablePlatform world;
        world.files().AddFolder(L"C:\\Startup");
        c.arrange(world.links());
        try {
            CreateShortcutFile(world.View(), L"C:\\a.exe", L"A", L"C:\\Startup");
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), c.message);
        }
        EXPECT_FALSE(world.files().FileExists(L"C:\\Startup\\A.lnk"));
        EXPECT_EQ(world.links().ObjectsAlive(), 0);
    }
}

// --- folder picker ----------------------------------------------------------------

TEST_F(ShellServicesTest, BrowseForFolderStartsAtTheDocumentsFolder) {
    world_.shell().SetFolderPath(kCsidlPersonal, "C:\\Users\\me\\Documents");
    world_.shell().SetBrowseResult(L"D:\\Chosen \u4e2d");
    EXPECT_EQ(BrowseForFolder(View(), L"Pick \u4e2d", L""), L"D:\\Chosen \u4e2d");
    ASSERT_EQ(world_.shell().Browsed().size(), 1u);
    const BrowseInfo& info = world_.shell().Browsed()[0];
    EXPECT_EQ(info.title, L"Pick \u4e2d");
    EXPECT_EQ(info.flags, 0x51u);
    EXPECT_EQ(info.preselect, L"C:\\Users\\me\\Documents");
    EXPECT_EQ(world_.shell().LiveIdLists(), 0);
}

TEST_F(ShellServicesTest, BrowseForFolderPreselectsTheInitialFolderExactly) {
    world_.shell().SetBrowseResult(std::nullopt);
    EXPECT_EQ(BrowseForFolder(View(), L"T", L"C:\\\u041f\u0430\u043f\u043a\u0430 \u6587"), L"");
    world_.shell().SetBrowseResult(L"");  // an item without a file-system path
    EXPECT_EQ(BrowseForFolder(View(), L"T", L""), L"");
    ASSERT_EQ(world_.shell().Browsed().size(), 2u);
    EXPECT_EQ(world_.shell().Browsed()[0].preselect, L"C:\\\u041f\u0430\u043f\u043a\u0430 \u6587");
    // No documents folder either: no preselection, so no callback.
    EXPECT_EQ(world_.shell().Browsed()[1].preselect, L"");
    EXPECT_EQ(world_.shell().LiveIdLists(), 0);
}

}  // namespace
}  // namespace quillmark
