#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/settings_file.h"
#include "platform/error.h"
#include "tests/stand_ins/memory_profile.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_profile.h"

namespace quillmark {
namespace {

// A fresh folder under the temporary folder, removed with what it holds.
class TemporaryFolder {
public:
    TemporaryFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        // A name outside the ANSI code page: only the wide calls reach it.
        path_ = std::filesystem::path(base) / (L"quillmark-profile-\u4e2d-" + std::to_wstring(GetCurrentProcessId()) +
                                               L"-" + std::to_wstring(GetTickCount()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

std::string FileText(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The same cases against the real private-profile calls and the stand-in:
// both must behave alike.
enum class Kind { Win32, Memory };

class PrivateProfileContract : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        if (GetParam() == Kind::Win32) {
            profile_ = std::make_unique<Win32Profile>();
        } else {
            profile_ = std::make_unique<MemoryProfile>();
        }
        file_ = folder_.File(L"default.ini");
    }

    TemporaryFolder folder_;
    std::unique_ptr<PrivateProfile> profile_;
    std::wstring file_;
};

TEST_P(PrivateProfileContract, AbsentFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(profile_->ReadString(file_, "default", "PageControl1", "dflt", 2048), "dflt");
    ASSERT_TRUE(profile_->WriteString(file_, "default", "PageControl1", "1"));
    EXPECT_EQ(profile_->ReadString(file_, "other", "PageControl1", "dflt", 2048), "dflt");
    EXPECT_EQ(profile_->ReadString(file_, "default", "needsendtodesk", "", 2048), "");
}

TEST_P(PrivateProfileContract, ValuesRoundTripAndKeysIgnoreCase) {
    ASSERT_TRUE(profile_->WriteString(file_, "default", "defaultFilePath", "C:\\Program Files\\Tools"));
    ASSERT_TRUE(profile_->WriteString(file_, "default", "PageControl1", "0x1"));
    EXPECT_EQ(profile_->ReadString(file_, "default", "defaultFilePath", "", 2048), "C:\\Program Files\\Tools");
    EXPECT_EQ(profile_->ReadString(file_, "DEFAULT", "pagecontrol1", "", 2048), "0x1");
    ASSERT_TRUE(profile_->WriteString(file_, "default", "PAGECONTROL1", "0"));
    EXPECT_EQ(profile_->ReadString(file_, "default", "PageControl1", "", 2048), "0");
}

TEST_P(PrivateProfileContract, BlanksAndEnclosingQuotesAreNotPartOfTheValue) {
    ASSERT_TRUE(profile_->WriteString(file_, "default", "a", "  spaced  "));
    ASSERT_TRUE(profile_->WriteString(file_, "default", "b", "\"quoted\""));
    EXPECT_EQ(profile_->ReadString(file_, "default", "a", "", 2048), "spaced");
    EXPECT_EQ(profile_->ReadString(file_, "default", "b", "", 2048), "quoted");
}

TEST_P(PrivateProfileContract, TheBufferKeepsRoomForItsTerminator) {
    for (std::size_t length : {2046u, 2047u, 2048u, 5000u}) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(profile_->WriteString(file_, "default", "defaultFilePath", std::string(length, 'q')));
        EXPECT_EQ(profile_->ReadString(file_, "default", "defaultFilePath", "", 2048).size(),
                  std::min<std::size_t>(length, 2047));
    }
}

INSTANTIATE_TEST_SUITE_P(BothImplementations, PrivateProfileContract,
                         ::testing::Values(Kind::Win32, Kind::Memory),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return info.param == Kind::Win32 ? "Win32" : "Memory";
                         });

TEST(Win32Profile, TheFileAppearsAtTheFirstWriteAndHoldsEachWriteAtOnce) {
    TemporaryFolder folder;
    const std::wstring file = folder.File(L"default.ini");
    Win32Profile profile;
    SettingsFile settings(profile, file);

    EXPECT_EQ(settings.ReadInteger("PageControl1", 0), 0);
    EXPECT_FALSE(std::filesystem::exists(file));

    settings.WriteInteger("PageControl1", 1);
    ASSERT_TRUE(std::filesystem::exists(file));
    std::string text = FileText(file);
    EXPECT_NE(text.find("[default]"), std::string::npos) << text;
    EXPECT_NE(text.find("PageControl1=1"), std::string::npos) << text;

    settings.WriteBool("needsendtodesk", false);
    text = FileText(file);
    EXPECT_NE(text.find("needsendtodesk=0"), std::string::npos) << text;

    // A second accessor, as the next run of the program, reads what was written.
    SettingsFile nextRun(profile, file);
    EXPECT_EQ(nextRun.ReadInteger("PageControl1", 0), 1);
    EXPECT_FALSE(nextRun.ReadBool("needsendtodesk", true));
}

TEST(Win32Profile, ReadsHexadecimalWrittenByHand) {
    TemporaryFolder folder;
    const std::wstring file = folder.File(L"default.ini");
    std::ofstream(std::filesystem::path(file)) << "[default]\r\nPageControl1=0X1\r\nneedsendtodesk=abc\r\n";
    Win32Profile profile;
    SettingsFile settings(profile, file);
    EXPECT_EQ(settings.ReadInteger("PageControl1", 0), 1);
    EXPECT_TRUE(settings.ReadBool("needsendtodesk", true));
}

TEST(Win32Profile, AWriteIntoAMissingFolderFailsWithTheFileName) {
    TemporaryFolder folder;
    const std::wstring file = folder.File(L"missing\\default.ini");
    Win32Profile profile;
    SettingsFile settings(profile, file);
    try {
        settings.WriteInteger("PageControl1", 1);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Unable to write to " + file);
    }
}

}  // namespace
}  // namespace quillmark
