#include "shellpath/shortcut_target.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/portable_platform.h"

namespace quillmark {
namespace {


constexpr wchar_t kStartup[] = L"C:\\Users\\me\\Start Menu\\Programs\\Startup\\";

LinkRecord PlainLink(const std::wstring& target) {
    LinkRecord record;
    record.target = target;
    return record;
}

// A shortcut whose target lies in the installer's cache, as the shell reports
// advertised shortcuts.
LinkRecord AdvertisedLink() {
    LinkRecord record;
    record.target = L"C:\\Windows\\Installer\\{11111111-2222-3333-4444-555555555555}\\app.exe";
    record.shortTarget = L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe";
    record.description = L"Tool";
    record.arguments = L"-q";
    record.workingDirectory = L"C:\\Tools\\";
    return record;
}

class ResolveShortcutTargetTest : public ::testing::Test {
protected:
    std::wstring Resolve(const std::wstring& location) { return ResolveShortcutTarget(world_.View(), location); }

    PortablePlatform world_;
};

struct ExtensionCase {
    const wchar_t* location;
    bool resolved;
};

class ShortcutExtensionTest : public ResolveShortcutTargetTest,
                              public ::testing::WithParamInterface<ExtensionCase> {};

// Only a location whose extension is ".lnk" in any letter case makes a link
// object; everything else comes back unchanged without one.
TEST_P(ShortcutExtensionTest, OnlyLnkLocationsAreRead) {
    const ExtensionCase& c = GetParam();
    world_.links().AddLink(c.location, PlainLink(L"C:\\Tools\\app.exe"));
    const std::wstring result = Resolve(c.location);
    EXPECT_EQ(result, c.resolved ? std::wstring(L"C:\\Tools\\app.exe") : std::wstring(c.location));
    EXPECT_EQ(world_.links().ObjectsCreated(), c.resolved ? 1 : 0);
    EXPECT_EQ(world_.links().ObjectsAlive(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Locations, ShortcutExtensionTest,
    ::testing::Values(ExtensionCase{L"C:\\Startup\\Tools.lnk", true}, ExtensionCase{L"C:\\Startup\\Tools.LNK", true},
                      ExtensionCase{L"C:\\Startup\\Tools.Lnk", true}, ExtensionCase{L".lnk", true},
                      ExtensionCase{L"\"C:\\Startup\\Tools.lnk\"", false},
                      ExtensionCase{L"C:\\Startup\\Tools.lnk -min", false},
                      ExtensionCase{L"C:\\Startup\\Tools.lnk ", false},
                      ExtensionCase{L"C:\\Startup\\Tools.lnk.bak", false},
                      ExtensionCase{L"C:\\Dir.lnk\\Tools", false}, ExtensionCase{L"C:\\Tools\\app.exe /x", false},
                      ExtensionCase{L"C:\\Tools\\app.exe", false}, ExtensionCase{L"", false},
                      ExtensionCase{L"C:lnk", false}, ExtensionCase{L"C:\\Startup\\Tools.lnk\u00a0", false}));

TEST_F(ResolveShortcutTargetTest, ReadsTheStoredPathWithoutResolving) {
    const std::wstring location = std::wstring(kStartup) + L"Tools.lnk";
    world_.links().AddLink(location, PlainLink(L"C:\\Gone\\app.exe"));
    EXPECT_EQ(Resolve(location), L"C:\\Gone\\app.exe");
    const std::vector<std::wstring> expected = {L"CreateWide 1", L"QueryPersistFile", L"Load " + location + L" 0",
                                                L"GetPath 2"};
    EXPECT_EQ(world_.links().Calls(), expected);
}

TEST_F(ResolveShortcutTargetTest, TargetIsNotTrimmedAndKeepsItsCase) {
    world_.links().AddLink(L"C:\\s.lnk", PlainLink(L" C:\\Program Files\\App.EXE "));
    EXPECT_EQ(Resolve(L"C:\\s.lnk"), L" C:\\Program Files\\App.EXE ");
}

struct FallbackCase {
    const char* what;
    void (*arrange)(PortablePlatform&, const std::wstring& location);
};

class ShortcutFallbackTest : public ResolveShortcutTargetTest, public ::testing::WithParamInterface<FallbackCase> {};

// Every failure hands back the location itself, and every object is released.
TEST_P(ShortcutFallbackTest, GivesTheLocation) {
    SCOPED_TRACE(GetParam().what);
    const std::wstring location = std::wstring(kStartup) + L"Entry.lnk";
    GetParam().arrange(world_, location);
    EXPECT_EQ(Resolve(location), location);
    EXPECT_EQ(world_.links().ObjectsAlive(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ShortcutFallbackTest,
    ::testing::Values(
        FallbackCase{"missing file", [](PortablePlatform&, const std::wstring&) {}},
        FallbackCase{"not a shortcut", [](PortablePlatform& w, const std::wstring& l) { w.links().AddUnreadable(l); }},
        FallbackCase{"no file-system target",
                     [](PortablePlatform& w, const std::wstring& l) { w.links().AddLink(l, PlainLink(L"")); }},
        FallbackCase{"link object unavailable",
                     [](PortablePlatform& w, const std::wstring& l) {
                         w.links().AddLink(l, PlainLink(L"C:\\a.exe"));
                         w.links().FailCreate(kClassNotRegistered);
                     }},
        FallbackCase{"IPersistFile refused",
                     [](PortablePlatform& w, const std::wstring& l) {
                         w.links().AddLink(l, PlainLink(L"C:\\a.exe"));
                         w.links().RefusePersistFile(kENoInterface);
                     }},
        FallbackCase{"question mark in target",
                     [](PortablePlatform& w, const std::wstring& l) { w.links().AddLink(l, PlainLink(L"C:\\a?.exe")); }},
        FallbackCase{"star", [](PortablePlatform& w, const std::wstring& l) { w.links().AddLink(l, PlainLink(L"C:\\*")); }},
        FallbackCase{"quote",
                     [](PortablePlatform& w, const std::wstring& l) { w.links().AddLink(l, PlainLink(L"\"C:\\a.exe\"")); }},
        FallbackCase{"pipe and angle brackets",
                     [](PortablePlatform& w, const std::wstring& l) { w.links().AddLink(l, PlainLink(L"C:\\<a>|b")); }},
        FallbackCase{"advertised, ANSI object cannot resolve",
                     [](PortablePlatform& w, const std::wstring& l) {
                         LinkRecord record = AdvertisedLink();
                         record.resolveResult = kEFail;
                         w.links().AddLink(l, record);
                     }},
        FallbackCase{"advertised, located path holds a question mark", [](PortablePlatform& w, const std::wstring& l) {
                         w.links().AddLink(l, AdvertisedLink());
                         w.installer().AddAdvertised(l, L"{C0}");
                         w.installer().AddComponent(L"{C0}", L"C:\\Program Files\\?\\app.exe");
                     }}));

TEST_F(ResolveShortcutTargetTest, LongTargetIsCutToTheBuffer) {
    const std::wstring target = L"C:\\" + std::wstring(300, L'a');
    world_.links().AddLink(L"C:\\s.lnk", PlainLink(target));
    EXPECT_EQ(Resolve(L"C:\\s.lnk"), target.substr(0, kMaxPath - 1));
}

// Under a name and in a folder that the ANSI code page cannot spell.
TEST_F(ResolveShortcutTargetTest, AdvertisedShortcutResolvesToTheLocatedProgram) {
    const std::wstring location = std::wstring(kStartup) + L"\u4e2d Tool.lnk";
    world_.links().AddLink(location, AdvertisedLink());
    world_.installer().AddAdvertised(location, L"{C0}");
    world_.installer().AddComponent(L"{C0}", L"C:\\Program Files\\\u4e2d\\tool.exe");
    EXPECT_EQ(Resolve(location), L"C:\\Program Files\\\u4e2d\\tool.exe");
    EXPECT_EQ(world_.links().ObjectsAlive(), 0);
}

// A broken advertised shortcut met while a list loads: the shell gives up
// without its search dialog or the installer's repair, and the shortcut is
// not written back.
TEST_F(ResolveShortcutTargetTest, BrokenAdvertisedShortcutShowsNothingAndChangesNothing) {
    LinkRecord record = AdvertisedLink();
    record.resolveResult = kEFail;
    world_.links().AddLink(L"C:\\s.lnk", record);
    EXPECT_EQ(Resolve(L"C:\\s.lnk"), L"C:\\s.lnk");
    EXPECT_EQ(world_.links().ResolveDialogs(), 0);
    EXPECT_EQ(world_.links().ResolveRewrites(), 0);
    EXPECT_EQ(world_.links().Find(L"C:\\s.lnk")->target, record.target);
}

TEST_F(ResolveShortcutTargetTest, UnknownAdvertisedShortcutGivesTheShortPath) {
    world_.links().AddLink(L"C:\\s.lnk", AdvertisedLink());
    EXPECT_EQ(Resolve(L"C:\\s.lnk"), L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe");
}

struct AdvertisedTestCase {
    const wchar_t* target;
    bool advertised;
};

class AdvertisedRouteTest : public ResolveShortcutTargetTest,
                            public ::testing::WithParamInterface<AdvertisedTestCase> {};

// The cache folder in any letter case and both braces anywhere take the
// installer route; the route shows itself by the ANSI object's short path.
TEST_P(AdvertisedRouteTest, TakesTheInstallerRouteOnlyForCachePaths) {
    LinkRecord record = PlainLink(GetParam().target);
    record.shortTarget = L"C:\\SHORT~1.EXE";
    world_.links().AddLink(L"C:\\s.lnk", record);
    const std::wstring expected = GetParam().advertised ? L"C:\\SHORT~1.EXE" : GetParam().target;
    EXPECT_EQ(Resolve(L"C:\\s.lnk"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, AdvertisedRouteTest,
    ::testing::Values(AdvertisedTestCase{L"C:\\WINDOWS\\INSTALLER\\{A}\\x.exe", true},
                      AdvertisedTestCase{L"  c:\\windows\\installer\\x}{.exe  ", true},
                      AdvertisedTestCase{L"D:\\Backup\\Windows\\Installer\\}x{", true},
                      AdvertisedTestCase{L"C:\\Windows\\Installer\\{A\\x.exe", false},
                      AdvertisedTestCase{L"C:\\Windows\\Installer\\A}\\x.exe", false},
                      AdvertisedTestCase{L"C:\\Windows\\Installer{A}\\x.exe", false},
                      AdvertisedTestCase{L"C:\\Windows/Installer\\{A}\\x.exe", false}));

// --- ResolveMsiShortcut ----------------------------------------------------

class ResolveMsiShortcutTest : public ::testing::Test {
protected:
    ResolveMsiShortcutTest() {
        world_.links().AddLink(L"C:\\Startup\\Tool.lnk", AdvertisedLink());
        world_.installer().AddAdvertised(L"C:\\Startup\\Tool.lnk", L"{C0}");
        world_.installer().AddComponent(L"{C0}", L"C:\\Program Files\\Tool\\tool.exe");
    }
    // Pre-filled with sentinels: every field is reset before the steps run.
    TLinkParams Run(HResult& result, const std::wstring& path = L"C:\\Startup\\Tool.lnk") {
        TLinkParams params{L"sentinel", L"sentinel", L"sentinel", L"sentinel"};
        result = ResolveMsiShortcut(world_.View(), path, params);
        EXPECT_EQ(world_.links().ObjectsAlive(), 0);
        return params;
    }

    PortablePlatform world_;
};

TEST_F(ResolveMsiShortcutTest, FillsEveryFieldWithTheLocatedPath) {
    HResult result = kEFail;
    const TLinkParams params = Run(result);
    EXPECT_EQ(result, kSOk);
    EXPECT_EQ(params.TargetPath, L"C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(params.Description, L"Tool");
    EXPECT_EQ(params.Arguments, L"-q");
    EXPECT_EQ(params.WorkingDirectory, L"C:\\Tools\\");
    const std::vector<std::wstring> expected = {
        L"CreateWide 1",     L"QueryPersistFile", L"Load C:\\Startup\\Tool.lnk 0", L"Resolve",
        L"GetPath 1",        L"QueryDataList",    L"GetDescription",              L"GetArguments",
        L"GetWorkingDirectory"};
    EXPECT_EQ(world_.links().Calls(), expected);
    const std::vector<std::wstring> installerCalls = {L"GetShortcutTarget C:\\Startup\\Tool.lnk",
                                                     L"LocateComponent {C0}"};
    EXPECT_EQ(world_.installer().Calls(), installerCalls);
}

TEST_F(ResolveMsiShortcutTest, ShortcutUnknownToTheServiceKeepsTheShortPath) {
    world_.links().AddLink(L"C:\\Other.lnk", AdvertisedLink());
    HResult result = kEFail;
    const TLinkParams params = Run(result, L"C:\\Other.lnk");
    EXPECT_EQ(result, kSOk);
    EXPECT_EQ(params.TargetPath, L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe");
    EXPECT_EQ(params.Description, L"Tool");
    const std::vector<std::wstring> installerCalls = {L"GetShortcutTarget C:\\Other.lnk"};
    EXPECT_EQ(world_.installer().Calls(), installerCalls);
}

TEST_F(ResolveMsiShortcutTest, UnknownComponentKeepsTheShortPath) {
    world_.installer().AddAdvertised(L"C:\\Startup\\Tool.lnk", L"{UNKNOWN}");
    HResult result = kEFail;
    EXPECT_EQ(Run(result).TargetPath, L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe");
    EXPECT_EQ(result, kSOk);
}

TEST_F(ResolveMsiShortcutTest, WithoutDataListTheServiceIsNotAsked) {
    LinkRecord record = AdvertisedLink();
    record.hasDataList = false;
    world_.links().AddLink(L"C:\\Startup\\Tool.lnk", record);
    HResult result = kEFail;
    EXPECT_EQ(Run(result).TargetPath, L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe");
    EXPECT_EQ(result, kSOk);
    EXPECT_TRUE(world_.installer().Calls().empty());
}

struct StepFailure {
    const char* what;
    void (*arrange)(PortablePlatform&);
    int fieldsSet;  // TargetPath, Description, Arguments, WorkingDirectory in order
};

class MsiStepFailureTest : public ResolveMsiShortcutTest, public ::testing::WithParamInterface<StepFailure> {};

// Each failing step ends the operation with its code; the fields reached
// before it keep their values and the others stay empty.
TEST_P(MsiStepFailureTest, KeepsTheFieldsReachedSoFar) {
    SCOPED_TRACE(GetParam().what);
    GetParam().arrange(world_);
    HResult result = kSOk;
    const TLinkParams params = Run(result);
    EXPECT_EQ(result, kEFail);
    const int set = GetParam().fieldsSet;
    EXPECT_EQ(params.TargetPath, set > 0 ? L"C:\\Program Files\\Tool\\tool.exe" : L"");
    EXPECT_EQ(params.Description, set > 1 ? L"Tool" : L"");
    EXPECT_EQ(params.Arguments, set > 2 ? L"-q" : L"");
    EXPECT_EQ(params.WorkingDirectory, L"");
}

void FailRecord(PortablePlatform& world, HResult LinkRecord::*field) {
    LinkRecord record = AdvertisedLink();
    record.*field = kEFail;
    world.links().AddLink(L"C:\\Startup\\Tool.lnk", record);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MsiStepFailureTest,
    ::testing::Values(
        StepFailure{"create", [](PortablePlatform& w) { w.links().FailCreate(kEFail); }, 0},
        StepFailure{"persist file", [](PortablePlatform& w) { w.links().RefusePersistFile(kEFail); }, 0},
        StepFailure{"load", [](PortablePlatform& w) { w.links().AddUnreadable(L"C:\\Startup\\Tool.lnk"); }, 0},
        StepFailure{"resolve", [](PortablePlatform& w) { FailRecord(w, &LinkRecord::resolveResult); }, 0},
        StepFailure{"short path", [](PortablePlatform& w) { FailRecord(w, &LinkRecord::shortPathResult); }, 0},
        StepFailure{"description", [](PortablePlatform& w) { FailRecord(w, &LinkRecord::descriptionResult); }, 1},
        StepFailure{"arguments", [](PortablePlatform& w) { FailRecord(w, &LinkRecord::argumentsResult); }, 2},
        StepFailure{"working directory",
                    [](PortablePlatform& w) { FailRecord(w, &LinkRecord::workingDirectoryResult); }, 3}));

// Paths are handled in buffers of 260 units, terminator included: 259
// characters fit, longer paths fail before anything is loaded.
TEST_F(ResolveMsiShortcutTest, PathMustFitTheConversionBuffer) {
    struct Case {
        std::size_t length;
        bool fits;
    };
    for (const Case c : {Case{259, true}, Case{260, false}, Case{261, false}, Case{32000, false}}) {
        SCOPED_TRACE(c.length);
        const std::wstring path = L"C:\\" + std::wstring(c.length - 7, L'a') + L".lnk";
        ASSERT_EQ(path.size(), c.length);
        world_.links().AddLink(path, AdvertisedLink());
        world_.links().ClearCalls();
        HResult result = kSOk;
        const TLinkParams params = Run(result, path);
        if (c.fits) {
            EXPECT_EQ(result, kSOk);
            EXPECT_EQ(params.TargetPath, L"C:\\WINDOWS\\INSTAL~1\\{11111~1\\app.exe");
        } else {
            EXPECT_EQ(result, kInsufficientBuffer);
            EXPECT_EQ(params.TargetPath, L"");
            EXPECT_EQ(world_.links().Calls().size(), 2u);  // create and IPersistFile only
        }
    }
}

TEST_F(ResolveShortcutTargetTest, AdvertisedShortcutWithOverlongPathGivesTheLocation) {
    const std::wstring location = L"C:\\" + std::wstring(300, L'a') + L".lnk";
    world_.links().AddLink(location, AdvertisedLink());
    EXPECT_EQ(Resolve(location), location);
}

// --- HasInvalidFileNameChar -------------------------------------------------

TEST(HasInvalidFileNameCharTest, SixCharactersOnly) {
    for (const wchar_t* bad : {L"?", L"a*b", L"\"x\"", L"a>b", L"a<b", L"a|b", L"C:\\x?"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
        EXPECT_TRUE(HasInvalidFileNameChar(bad));
    }
    for (const wchar_t* good : {L"", L"C:\\Program Files\\a.exe", L"\\\\server\\share/x:y", L"\u00e9\u4e2d\t"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(good)));
        EXPECT_FALSE(HasInvalidFileNameChar(good));
    }
}

}  // namespace
}  // namespace quillmark
