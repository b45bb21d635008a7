#include <gtest/gtest.h>

#include <climits>

#include "app/settings_file.h"
#include "platform/error.h"
#include "tests/stand_ins/memory_profile.h"
#include "tests/stand_ins/windows1252_code_page.h"

namespace quillmark {
namespace {

struct IntegerText {
    const char* text;
    int expected;  // with a default of -99
};

class SettingsInteger : public ::testing::TestWithParam<IntegerText> {};

TEST_P(SettingsInteger, ReadsDecimalAndHexOrGivesTheDefault) {
    EXPECT_EQ(ParseSettingsInteger(GetParam().text, -99), GetParam().expected) << "text: \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingsInteger,
    ::testing::Values(IntegerText{"0", 0}, IntegerText{"1", 1}, IntegerText{"42", 42}, IntegerText{"007", 7},
                      IntegerText{"-7", -7}, IntegerText{"+5", 5}, IntegerText{"2147483647", INT_MAX},
                      IntegerText{"-2147483648", INT_MIN}, IntegerText{"2147483648", -99},
                      IntegerText{"-2147483649", -99}, IntegerText{"99999999999999999999", -99},
                      IntegerText{"0x1", 1}, IntegerText{"0X1", 1}, IntegerText{"0x1F", 31}, IntegerText{"0Xff", 255},
                      IntegerText{"0x7FFFFFFF", INT_MAX}, IntegerText{"0xFFFFFFFF", -1},
                      IntegerText{"0x00000000000001", 1}, IntegerText{"0x100000000", -99},
                      // "0x" alone is no hexadecimal number, and no decimal one either.
                      IntegerText{"0x", -99}, IntegerText{"0x-1", -99}, IntegerText{"0xG", -99},
                      IntegerText{"-0x1", -99}, IntegerText{"x1", -99}, IntegerText{"", -99}, IntegerText{"-", -99},
                      IntegerText{"+", -99}, IntegerText{"abc", -99}, IntegerText{"12abc", -99},
                      IntegerText{"1 2", -99}, IntegerText{"1.0", -99}, IntegerText{"1e3", -99}));

class SettingsFileTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kPath = L"C:\\Data\\Quillmark\\default.ini";
    MemoryProfile profile;
    SettingsFile settings{profile, kPath};

    void Store(const std::string& key, const std::string& value) {
        profile.WriteString(kPath, "default", key, value);
    }
};

TEST_F(SettingsFileTest, AbsentValuesGiveTheirDefaults) {
    EXPECT_EQ(settings.ReadString("defaultFilePath", ""), "");
    EXPECT_EQ(settings.ReadString("defaultFilePath", "C:\\"), "C:\\");
    EXPECT_EQ(settings.ReadInteger("PageControl1", 0), 0);
    EXPECT_TRUE(settings.ReadBool("needsendtodesk", true));
    EXPECT_FALSE(settings.ReadBool("needsendtodesk", false));
    EXPECT_FALSE(profile.FileExists(kPath));
}

TEST_F(SettingsFileTest, WritesGoToTheFileAtOnceInTheDefaultSection) {
    settings.WriteInteger("PageControl1", 1);
    EXPECT_EQ(profile.RawValue(kPath, "default", "PageControl1"), "1");
    settings.WriteInteger("PageControl1", -12);
    EXPECT_EQ(profile.RawValue(kPath, "default", "PageControl1"), "-12");
    settings.WriteBool("needsendtodesk", false);
    EXPECT_EQ(profile.RawValue(kPath, "default", "needsendtodesk"), "0");
    settings.WriteBool("needsendtodesk", true);
    EXPECT_EQ(profile.RawValue(kPath, "default", "needsendtodesk"), "1");
    settings.WriteString("defaultFilePath", "C:\\Program Files\\Tools");
    EXPECT_EQ(settings.ReadString("defaultFilePath", ""), "C:\\Program Files\\Tools");
    EXPECT_EQ(profile.WriteCount(), 5);
}

struct BoolText {
    const char* text;
    bool defaultValue;
    bool expected;
};

class SettingsBool : public ::testing::TestWithParam<BoolText> {};

TEST_P(SettingsBool, ReadsAsAnInteger) {
    MemoryProfile profile;
    SettingsFile settings(profile, L"C:\\s.ini");
    profile.WriteString(L"C:\\s.ini", "default", "needsendtodesk", GetParam().text);
    EXPECT_EQ(settings.ReadBool("needsendtodesk", GetParam().defaultValue), GetParam().expected)
        << "text: \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsBool,
                         ::testing::Values(BoolText{"1", false, true}, BoolText{"0", true, false},
                                           BoolText{"2", false, true}, BoolText{"-1", false, true},
                                           BoolText{"0x0", true, false}, BoolText{"0x10", false, true},
                                           BoolText{"yes", false, false}, BoolText{"yes", true, true},
                                           BoolText{"", true, true}, BoolText{"true", false, false}));

TEST_F(SettingsFileTest, TextComesBackThroughA2048CharacterBuffer) {
    for (std::size_t length : {2046u, 2047u, 2048u, 2049u, 32000u}) {
        SCOPED_TRACE(length);
        Store("defaultFilePath", std::string(length, 'p'));
        EXPECT_EQ(settings.ReadString("defaultFilePath", "").size(), std::min<std::size_t>(length, 2047));
    }
}

TEST_F(SettingsFileTest, LongNumbersAreCutLikeAnyText) {
    // Leading zeros beyond the buffer are cut with the rest, not misread.
    Store("PageControl1", std::string(2100, '0') + "1");
    EXPECT_EQ(settings.ReadInteger("PageControl1", 5), 0);
}

TEST_F(SettingsFileTest, AFailedWriteNamesTheFile) {
    profile.MakeUnwritable(kPath);
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        try {
            if (attempt == 0) settings.WriteInteger("PageControl1", 1);
            if (attempt == 1) settings.WriteBool("needsendtodesk", false);
            if (attempt == 2) settings.WriteString("defaultFilePath", "C:\\");
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), L"Unable to write to C:\\Data\\Quillmark\\default.ini");
        }
    }
    EXPECT_FALSE(profile.FileExists(kPath));
}

TEST(SettingsFilePath, IsNamedAsItIs) {
    MemoryProfile profile;
    SettingsFile settings(profile, L"C:\\Dokumente f\u00FCr J\u00F6rg \u4e2d\\default.ini");
    profile.MakeUnwritable(settings.Path());
    try {
        settings.WriteInteger("PageControl1", 0);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), L"Unable to write to C:\\Dokumente f\u00FCr J\u00F6rg \u4e2d\\default.ini");
    }
}

// Without a folder for the file the settings last for this run only.
TEST(SettingsFilePath, NoneKeepsTheSettingsInMemory) {
    MemoryProfile profile;
    SettingsFile settings(profile, L"");
    EXPECT_EQ(settings.ReadInteger("PageControl1", 7), 7);
    settings.WriteInteger("PageControl1", 1);
    settings.WriteString("defaultFilePath", "C:\\Tools");
    EXPECT_EQ(settings.ReadInteger("pagecontrol1", 7), 1);
    EXPECT_EQ(settings.ReadString("defaultFilePath", ""), "C:\\Tools");
    EXPECT_EQ(profile.WriteCount(), 0);
}

}  // namespace
}  // namespace quillmark
