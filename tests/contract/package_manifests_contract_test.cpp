#include <gtest/gtest.h>

#include "platform/package_manifests.h"
#include "tests/contract/contract_fixture.h"
#include "tests/contract/manifest_staging.h"

namespace quillmark {
namespace {

struct ManifestCase {
    const char* label;
    std::string text;
    std::vector<ManifestStartupTask> declares;
};

// Manifests as packagers write them: the elements come in whichever
// namespace declares the extension, the attributes in none.
TEST_P(ContractTest, ManifestStartupTasksAreTheStartupExtensionsOfTheApplications) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\" "
                             "xmlns:uap5=\"http://schemas.microsoft.com/appx/manifest/uap/windows10/5\" "
                             "xmlns:desktop=\"http://schemas.microsoft.com/appx/manifest/desktop/windows10\" "
                             "xmlns:x=\"urn:other\">";
    const std::vector<ManifestCase> cases{
        {"its own program, entities decoded",
         head + "<Applications><Application Id=\"A\" Executable=\"app.exe\"><Extensions>"
                "<uap5:Extension Category=\"windows.startupTask\" Executable=\"Sub\\helper.exe\">"
                "<uap5:StartupTask TaskId=\"Main\" Enabled=\"true\" DisplayName=\"Tom &amp; Jerry &#x4E2D;\"/>"
                "</uap5:Extension></Extensions></Application></Applications></Package>",
         {{L"Main", L"Tom & Jerry \u4e2d", L"Sub\\helper.exe"}}},
        {"the application's program, no display name",
         head + "<Applications><Application Id=\"A\" Executable=\"VFS\\app.exe\"><Extensions>"
                "<desktop:Extension Category=\"windows.startupTask\"><desktop:StartupTask TaskId=\"T\"/>"
                "</desktop:Extension></Extensions></Application></Applications></Package>",
         {{L"T", L"", L"VFS\\app.exe"}}},
        {"two applications; other categories, places and namespaced attributes are not tasks",
         head + "<Extensions><Extension Category=\"windows.startupTask\"><StartupTask TaskId=\"Package\"/>"
                "</Extension></Extensions><Applications>"
                "<Application Id=\"A\" Executable=\"a.exe\"><Extensions>"
                "<uap5:Extension Category=\"windows.appExecutionAlias\"><uap5:StartupTask TaskId=\"Alias\"/>"
                "</uap5:Extension><uap5:Extension x:Category=\"windows.startupTask\"><uap5:StartupTask TaskId=\"X\"/>"
                "</uap5:Extension><uap5:Extension Category=\"windows.startupTask\">"
                "<uap5:StartupTask x:TaskId=\"Wrong\" TaskId=\"First\" x:DisplayName=\"Wrong\"/></uap5:Extension>"
                "</Extensions></Application>"
                "<Application Id=\"B\" Executable=\"b.exe\"><Extensions><Extension Category=\"windows.startupTask\">"
                "<StartupTask TaskId=\"Second\" DisplayName=\"ms-resource:Name\"/></Extension></Extensions>"
                "</Application></Applications></Package>",
         {{L"First", L"", L"a.exe"}, {L"Second", L"ms-resource:Name", L"b.exe"}}},
        {"none", head + "<Applications><Application Id=\"A\" Executable=\"a.exe\"/></Applications></Package>", {}},
    };
    const Platform platform = backend_->View();
    const std::wstring folder = ScratchFolder(L"manifests");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].label);
        const std::wstring path = folder + L"\\AppxManifest" + std::to_wstring(i) + L".xml";
        StageManifest(*this, platform, path, cases[i].text, cases[i].declares);
        std::vector<ManifestStartupTask> read{{L"sentinel", L"", L""}};
        EXPECT_TRUE(platform.manifests.ReadStartupTasks(path, read));
        EXPECT_EQ(read, cases[i].declares);
    }
    std::vector<ManifestStartupTask> untouched{{L"sentinel", L"", L""}};
    EXPECT_FALSE(platform.manifests.ReadStartupTasks(folder + L"\\missing.xml", untouched));
    EXPECT_FALSE(platform.manifests.ReadStartupTasks(folder, untouched));
    EXPECT_EQ(untouched.size(), 1u);
}

}  // namespace
}  // namespace quillmark
