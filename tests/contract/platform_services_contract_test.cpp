#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/removal_record.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {
namespace {

std::vector<std::wstring> NamesOf(const std::vector<FoundEntry>& entries) {
    std::vector<std::wstring> names;
    for (const auto& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    return text;
}

TEST_P(ContractTest, FindEntriesReportsDotEntriesAndMatchesMasks) {
    const std::wstring folder = ScratchFolder(L"find");
    MakeFile(folder + L"\\a.txt", kAttrArchive);
    MakeFile(folder + L"\\b", kAttrHidden);
    MakeFolder(folder + L"\\Sub");
    FileSystem& files = backend_->View().files;

    const auto all = files.FindEntries(folder + L"\\*.*");
    EXPECT_EQ(NamesOf(all), (std::vector<std::wstring>{L".", L"..", L"Sub", L"a.txt", L"b"}));
    for (const auto& entry : all) {
        SCOPED_TRACE(testing::Message() << "entry length " << entry.name.size());
        const bool folderEntry = entry.name == L"." || entry.name == L".." || entry.name == L"Sub";
        EXPECT_EQ((entry.attributes & kAttrDirectory) != 0, folderEntry);
        if (entry.name == L"b") {
            EXPECT_NE(entry.attributes & kAttrHidden, 0u);
        }
    }
    EXPECT_EQ(NamesOf(files.FindEntries(folder + L"\\*")), NamesOf(all));
    EXPECT_EQ(NamesOf(files.FindEntries(Upper(folder) + L"/*.*")), NamesOf(all));
    EXPECT_EQ(NamesOf(files.FindEntries(folder + L"\\*.TXT")), std::vector<std::wstring>{L"a.txt"});
    EXPECT_EQ(NamesOf(files.FindEntries(folder + L"\\?.txt")), std::vector<std::wstring>{L"a.txt"});
    EXPECT_TRUE(files.FindEntries(folder + L"\\").empty());
    EXPECT_TRUE(files.FindEntries(folder + L"\\missing\\*.*").empty());
    EXPECT_TRUE(files.FindEntries(folder + L"\\a.txt\\*.*").empty());
    EXPECT_TRUE(files.FindEntries(folder + L"\\*.none").empty());
}

TEST_P(ContractTest, AttributesAndExistence) {
    const std::wstring folder = ScratchFolder(L"attr");
    const std::wstring file = MakeFile(folder + L"\\f\u4e2d.lnk", kAttrReadOnly | kAttrSystem);
    FileSystem& files = backend_->View().files;
    EXPECT_EQ(files.GetAttributes(file) & (kAttrReadOnly | kAttrSystem | kAttrDirectory), kAttrReadOnly | kAttrSystem);
    EXPECT_NE(files.GetAttributes(folder) & kAttrDirectory, 0u);
    EXPECT_EQ(files.GetAttributes(folder + L"\\missing"), kInvalidAttributes);
    EXPECT_EQ(files.GetAttributes(folder + L"\\*"), kInvalidAttributes);
    EXPECT_TRUE(files.FileExists(file));
    EXPECT_TRUE(files.FileExists(Upper(file)));
    EXPECT_FALSE(files.FileExists(folder));
    EXPECT_FALSE(files.FileExists(folder + L"\\f?.lnk"));
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_TRUE(files.DirectoryExists(folder + L"\\"));
    EXPECT_FALSE(files.DirectoryExists(file));
    EXPECT_FALSE(files.DirectoryExists(folder + L"\\missing"));
    EXPECT_NE(files.LastWriteTime(file), 0u);
    EXPECT_EQ(files.LastWriteTime(Upper(file)), files.LastWriteTime(file));
    EXPECT_EQ(files.LastWriteTime(folder + L"\\missing"), 0u);
    // Only a path on a fixed drive can say for sure that a file is gone.
    EXPECT_TRUE(files.IsOnFixedDrive(folder + L"\\missing"));
    EXPECT_TRUE(files.IsOnFixedDrive(L"c:/x.exe"));
    for (const wchar_t* elsewhere : {L"Q:\\x.exe", L"\\\\server\\share\\x.exe", L"x.exe", L"C:x.exe", L""})
        EXPECT_FALSE(files.IsOnFixedDrive(elsewhere)) << testing::PrintToString(std::wstring(elsewhere));
}

TEST_P(ContractTest, ForceDirectoriesMakesEveryMissingParent) {
    const std::wstring folder = ScratchFolder(L"force");
    const std::wstring file = MakeFile(folder + L"\\file", kAttrArchive);
    FileSystem& files = backend_->View().files;
    const std::wstring deep = folder + L"\\a\\b\u4e2d\\c";
    RemoveAfterwards(folder + L"\\a");
    RemoveAfterwards(folder + L"\\a\\b\u4e2d");
    RemoveAfterwards(deep);
    EXPECT_TRUE(files.ForceDirectories(deep + L"\\"));
    EXPECT_TRUE(files.DirectoryExists(deep));
    EXPECT_TRUE(files.ForceDirectories(deep));
    EXPECT_FALSE(files.ForceDirectories(file + L"\\sub"));
    EXPECT_FALSE(files.DirectoryExists(file + L"\\sub"));
    EXPECT_FALSE(files.ForceDirectories(L""));
}

TEST_P(ContractTest, CopyOverwritesOnRequestButNeverOntoItself) {
    const std::wstring folder = ScratchFolder(L"copy");
    const std::wstring source = MakeFile(folder + L"\\source\u4e2d.exe", kAttrArchive);
    const std::wstring target = folder + L"\\copy.exe";
    RemoveAfterwards(target);
    FileSystem& files = backend_->View().files;
    EXPECT_TRUE(files.Copy(source, target, false));
    EXPECT_TRUE(files.FileExists(target));
    EXPECT_TRUE(files.Copy(source, target, false)) << "an existing copy is overwritten";
    EXPECT_FALSE(files.Copy(source, target, true));
    EXPECT_FALSE(files.Copy(source, Upper(source), false)) << "a file cannot be copied onto itself";
    EXPECT_TRUE(files.FileExists(source));
    EXPECT_FALSE(files.Copy(folder + L"\\missing.exe", folder + L"\\other.exe", false));
    EXPECT_FALSE(files.Copy(source, folder + L"\\missing\\copy.exe", false));
    EXPECT_FALSE(files.FileExists(folder + L"\\other.exe"));
}

// What undo and the record writer rely on: a copy is a new file or none,
// with the source's bytes, attributes and time; a new folder for
// administrators; a file's owner; a plain path is no link.
TEST_P(ContractTest, CopyNewMakesANewFileOnlyAndAdministratorsFoldersHaveTrustedOwners) {
    const std::wstring folder = ScratchFolder(L"copynew");
    FileSystem& files = backend_->View().files;
    const std::wstring source = folder + L"\\source\u4e2d.bin";
    RemoveAfterwards(source);
    const std::vector<std::uint8_t> bytes = {'M', 'Z', 0, 0xFF, '\r', '\n'};
    ASSERT_EQ(files.WriteFile(source, bytes), kErrorSuccess);
    const std::wstring hidden = MakeFile(folder + L"\\hidden.lnk", kAttrHidden | kAttrReadOnly);
    const std::wstring copy = folder + L"\\copy.bin";
    const std::wstring hiddenCopy = folder + L"\\hidden copy.lnk";
    RemoveAfterwards(copy);
    RemoveAfterwards(hiddenCopy);
    EXPECT_EQ(files.CopyNew(source, copy), kErrorSuccess);
    std::vector<std::uint8_t> read;
    EXPECT_TRUE(files.ReadFile(copy, read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(files.LastWriteTime(copy), files.LastWriteTime(source));
    EXPECT_EQ(files.CopyNew(hidden, hiddenCopy), kErrorSuccess);
    EXPECT_EQ(files.GetAttributes(hiddenCopy) & (kAttrHidden | kAttrReadOnly), kAttrHidden | kAttrReadOnly);
    EXPECT_EQ(files.CopyNew(hidden, copy), kErrorFileExists) << "an existing file is never replaced";
    EXPECT_EQ(files.CopyNew(source, folder), kErrorFileExists) << "nor a folder";
    EXPECT_TRUE(files.ReadFile(copy, read) && read == bytes);
    EXPECT_EQ(files.CopyNew(folder + L"\\missing", folder + L"\\new"), kErrorFileNotFound);
    EXPECT_NE(files.CopyNew(source, folder + L"\\missing\\new"), kErrorSuccess);
    EXPECT_FALSE(files.FileExists(folder + L"\\new"));

    const std::wstring secured = folder + L"\\for administrators";
    RemoveAfterwards(secured);
    EXPECT_EQ(files.CreateFolderForAdministrators(secured), kErrorSuccess);
    EXPECT_TRUE(files.DirectoryExists(secured));
    EXPECT_EQ(files.CreateFolderForAdministrators(secured), kErrorAlreadyExists);
    EXPECT_NE(files.CreateFolderForAdministrators(folder + L"\\missing\\sub"), kErrorSuccess);
    // Administrators own it on Windows; Wine gives every file the account
    // that owns the machine's data folder too.
    const Platform platform = backend_->View();
    const std::vector<std::wstring> trusted = TrustedMachineOwners(platform, L"C:\\ProgramData");
    EXPECT_NE(std::find(trusted.begin(), trusted.end(), files.OwnerSid(secured)), trusted.end())
        << testing::PrintToString(files.OwnerSid(secured));
    EXPECT_EQ(files.OwnerSid(folder + L"\\missing"), L"");

    for (const std::wstring& plain : {folder, copy, folder + L"\\missing"}) EXPECT_FALSE(files.IsLink(plain));
    if (const std::wstring link = backend_->StagedLink(); !link.empty()) EXPECT_TRUE(files.IsLink(link));
    if (const std::wstring foreign = backend_->StagedForeignFolder(); !foreign.empty()) {
        EXPECT_EQ(std::find(trusted.begin(), trusted.end(), files.OwnerSid(foreign)), trusted.end())
            << testing::PrintToString(files.OwnerSid(foreign));
    }
}

TEST_P(ContractTest, FullPathResolvesDotsAndSeparators) {
    const std::wstring folder = StartupFolderOf(RegistryRoot::CurrentUser);
    FileSystem& files = backend_->View().files;
    EXPECT_EQ(files.FullPath(folder + L"\\a\\..\\b.lnk"), folder + L"\\b.lnk");
    EXPECT_EQ(files.FullPath(folder + L"\\.\\c\\"), folder + L"\\c\\");
    EXPECT_EQ(files.FullPath(L"C:/x/y.exe"), L"C:\\x\\y.exe");
    EXPECT_EQ(files.FullPath(L"C:\\"), L"C:\\");
}

// Wine and Windows refuse a key path that starts with a backslash; the
// accessor strips it before it opens.
TEST_P(ContractTest, RegistryOpenRefusesLeadingBackslash) {
    Registry& registry = backend_->View().registry;
    EXPECT_NE(registry.OpenKey(RegistryRoot::CurrentUser, kRunKeyPath), nullptr);
    EXPECT_EQ(registry.OpenKey(RegistryRoot::CurrentUser, std::wstring(L"\\") + kRunKeyPath), nullptr);
    EXPECT_NE(registry.OpenKey(RegistryRoot::LocalMachine, L""), nullptr);
}

TEST_P(ContractTest, CodePageConversionsAndCase) {
    const CodePage& codePage = backend_->View().codePage;
    struct ToAnsiRow {
        std::wstring text;
        std::string ansi;
    };
    const std::vector<ToAnsiRow> toAnsi{
        {L"plain", "plain"},
        {L"\u00e9\u00ff\u00a0", "\xE9\xFF\xA0"},
        {L"\u20ac\u201a\u0192\u2030\u0160\u0152\u017d\u2122\u0178", "\x80\x82\x83\x89\x8A\x8C\x8E\x99\x9F"},
        {L"\u0081\u008d\u008f\u0090\u009d", "\x81\x8D\x8F\x90\x9D"},
        {L"\u0080\u009f", "??"},
        {L"\u0100\u0101\u0141\u0142\u0160\u0110", "AaLl\x8A\xD0"},  // best fit
        {L"\u4e2d\u0410", "??"},
        {L"\xD83D\xDE00", "??"},  // a surrogate pair: one "?" per unit
        {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& row : toAnsi) {
        SCOPED_TRACE(testing::Message() << "text length " << row.text.size());
        EXPECT_EQ(codePage.ToAnsi(row.text), row.ansi);
    }
    std::string every;
    for (int byte = 1; byte < 256; ++byte) every.push_back(static_cast<char>(byte));
    const std::wstring wide = codePage.FromAnsi(every);
    ASSERT_EQ(wide.size(), every.size());
    EXPECT_EQ(wide[0x80 - 1], L'\u20ac');
    EXPECT_EQ(wide[0x81 - 1], L'\u0081');
    EXPECT_EQ(wide[0x9F - 1], L'\u0178');
    EXPECT_EQ(wide[0xE9 - 1], L'\u00e9');
    EXPECT_EQ(codePage.ToAnsi(wide), every);  // every byte comes back
    EXPECT_EQ(codePage.RoundTrip(L"C:\\\u4e2d\\\u0100.exe"), L"C:\\?\\A.exe");

    EXPECT_EQ(codePage.Upper(L"az\u00e9\u00ff\u0101\u0142\u017e\u0451\u044f\u03c9"),
              L"AZ\u00c9\u0178\u0100\u0141\u017d\u0401\u042f\u03a9");
    // No single-character capital: left alone.
    EXPECT_EQ(codePage.Upper(L"\u00df\u00b5\u0131\u0138\u03c2\u4e2d1."), L"\u00df\u00b5\u0131\u0138\u03c2\u4e2d1.");
    EXPECT_EQ(codePage.Lower(L"AZ\u00c9\u0178\u0100\u0141\u017d\u0401\u042f\u03a9\u0130"),
              L"az\u00e9\u00ff\u0101\u0142\u017e\u0451\u044f\u03c9\u0130");
}

}  // namespace
}  // namespace quillmark
