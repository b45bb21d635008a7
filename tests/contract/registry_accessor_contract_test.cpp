#include <gtest/gtest.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/registry_accessor.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {
namespace {

const wchar_t kRunKeyFromRoot[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The names of the open key that belong to this run, in the order read.
std::vector<std::wstring> OwnNames(RegistryAccessor& accessor, const std::wstring& prefix) {
    std::vector<std::wstring> names{L"sentinel"};
    accessor.GetValueNames(names);
    std::erase_if(names, [&](const std::wstring& name) { return name.rfind(prefix, 0) != 0; });
    return names;
}

TEST_P(ContractTest, ValueNamesListEveryValueOnceInIndexOrder) {
    for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        SCOPED_TRACE(root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM");
        const std::vector<std::wstring> written{Name(L"zeta"), Name(L"Alpha"), Name(L"mid"), Name(L"beta")};
        for (const auto& name : written) SeedString(root, kRunKeyPath, name, L"C:\\x.exe");
        RegistryAccessor accessor(backend_->View().registry);
        accessor.SetRoot(root);
        // The machine's Run key as seeded: its 64-bit view, which a 32-bit process must name.
        accessor.SetView(RegistryView::Bits64);
        ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot));
        const auto names = OwnNames(accessor, Name(L""));
        auto sorted = written;
        std::sort(sorted.begin(), sorted.end());
        auto got = names;
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, sorted) << "every value once";
        if (!backend_->IsWine()) {
            EXPECT_EQ(names, written) << "in the order written";
        }
    }
    // Windows enumerates a key's values in the order they were written, as
    // the stand-in does; Wine keeps them sorted by name.
    if (backend_->IsWine()) GTEST_SKIP() << "Wine difference: values enumerate sorted by name, not as written";
}

TEST_P(ContractTest, LongValueNamesAreListedAndRead) {
    std::vector<std::wstring> written;
    for (const std::size_t length : {254u, 255u, 256u, 300u, 2000u}) {
        written.push_back(Name(std::wstring(length, L'n')));
        SeedString(RegistryRoot::CurrentUser, kRunKeyPath, written.back(), std::to_wstring(length));
    }
    RegistryAccessor accessor(backend_->View().registry);
    ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot));
    auto names = OwnNames(accessor, Name(L""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, written);
    for (const auto& name : written) {
        EXPECT_EQ(accessor.ReadString(name), std::to_wstring(name.size() - Name(L"").size()));
    }
}

TEST_P(ContractTest, MissingKeyOpensNothingAndIsNotCreated) {
    const std::wstring missing = L"Software\\" + Name(L"Missing") + L"\\Run";
    RegistryAccessor accessor(backend_->View().registry);
    for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        accessor.SetRoot(root);
        EXPECT_FALSE(accessor.OpenKey(L"\\" + missing));
        EXPECT_FALSE(accessor.HasOpenKey());
        std::vector<std::wstring> names{L"sentinel"};
        accessor.GetValueNames(names);
        EXPECT_TRUE(names.empty());
        EXPECT_EQ(accessor.ReadString(L"anything"), L"");
        EXPECT_FALSE(backend_->KeyExists(root, missing));
        EXPECT_FALSE(backend_->KeyExists(root, L"Software\\" + Name(L"Missing")));
    }
}

TEST_P(ContractTest, OpensWithOrWithoutTheLeadingBackslash) {
    const std::wstring name = Name(L"open");
    SeedString(RegistryRoot::LocalMachine, kRunKeyPath, name, L"hklm");
    SeedString(RegistryRoot::CurrentUser, kRunKeyPath, name, L"hkcu");
    RegistryAccessor accessor(backend_->View().registry);
    EXPECT_EQ(accessor.Root(), RegistryRoot::CurrentUser);
    ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot));
    EXPECT_EQ(accessor.ReadString(name), L"hkcu");
    accessor.SetRoot(RegistryRoot::LocalMachine);
    accessor.SetView(RegistryView::Bits64);
    ASSERT_TRUE(accessor.OpenKey(kRunKeyPath));
    EXPECT_EQ(accessor.ReadString(name), L"hklm");
    // Names compare without regard to letter case.
    EXPECT_EQ(accessor.ReadString(Name(L"OPEN")), L"hklm");
    accessor.CloseKey();
    EXPECT_FALSE(accessor.HasOpenKey());
    EXPECT_EQ(accessor.ReadString(name), L"");
}

struct StringCase {
    const char* label;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
    const wchar_t* expected;  // nullptr: "Invalid data type for '<name>'"
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST_P(ContractTest, ReadStringOfEveryKindOfData) {
    const std::wstring longText(32000, L'x');
    const std::vector<StringCase> cases{
        {"plain", kRegSz, Utf16Bytes(std::wstring(L"C:\\a.exe", 8) + L'\0'), L"C:\\a.exe"},
        {"expand, not expanded", kRegExpandSz, Utf16Bytes(std::wstring(L"%SystemRoot%\\a.exe") + L'\0'),
         L"%SystemRoot%\\a.exe"},
        {"empty data", kRegSz, {}, L""},
        {"one byte", kRegSz, Bytes({'A'}), L"A"},
        {"only a terminator", kRegSz, Bytes({0, 0}), L""},
        {"three bytes", kRegSz, Bytes({'a', 0, 'b'}), L"ab"},
        {"odd length", kRegSz, Bytes({'a', 0, 'b', 0, 'c'}), L"abc"},
        {"unterminated", kRegSz, Utf16Bytes(L"abcd"), L"abcd"},
        {"unterminated expand", kRegExpandSz, Utf16Bytes(L"%x%"), L"%x%"},
        {"embedded NUL", kRegSz, Utf16Bytes(std::wstring(L"ab\0cd\0", 6)), L"ab"},
        {"outside the code page", kRegSz, Utf16Bytes(std::wstring(L"C:\\\u4e2d\u0100\\a.exe") + L'\0'),
         L"C:\\\u4e2d\u0100\\a.exe"},
        {"long", kRegSz, Utf16Bytes(longText + L'\0'), longText.c_str()},
        {"multi string", kRegMultiSz, Utf16Bytes(std::wstring(L"a\0b\0\0", 5)), nullptr},
        {"dword", kRegDword, Bytes({1, 0, 0, 0}), nullptr},
        {"qword", kRegQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0}), nullptr},
        {"binary", kRegBinary, Utf16Bytes(std::wstring(L"C:\\a.exe") + L'\0'), nullptr},
        {"none, empty", kRegNone, {}, nullptr},
        {"none, with data", kRegNone, Bytes({'a', 0, 0, 0}), nullptr},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SeedValue(RegistryRoot::CurrentUser, kRunKeyPath, Name(std::to_wstring(i)), cases[i].type, cases[i].bytes);
    }
    RegistryAccessor accessor(backend_->View().registry);
    ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].label);
        const std::wstring name = Name(std::to_wstring(i));
        if (cases[i].expected != nullptr) {
            EXPECT_EQ(accessor.ReadString(name), cases[i].expected);
            continue;
        }
        try {
            accessor.ReadString(name);
            ADD_FAILURE() << "no failure for a non-string value";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), L"Invalid data type for '" + name + L"'");
        }
    }
    EXPECT_EQ(accessor.ReadString(Name(L"absent")), L"");
}

// Deleting goes by the exact UTF-16 name: narrowing it to the ANSI code page
// would turn "A macron" into "A" and the ideograph into "?", and so delete a
// different value. It needs a key opened for setting values; a key opened
// for reading refuses, and every outcome comes back as Windows' error code.
TEST_P(ContractTest, DeleteValueTakesTheExactNameAndTheRightToSetValues) {
    const std::vector<std::wstring> names{Name(L"\u0100"), Name(L"A"), Name(L"\u4e2d"), Name(L"?"), Name(L"keep")};
    for (const auto& name : names) SeedString(RegistryRoot::LocalMachine, kRunKeyPath, name, L"x");
    RegistryAccessor accessor(backend_->View().registry);
    accessor.SetRoot(RegistryRoot::LocalMachine);
    accessor.SetView(RegistryView::Bits64);
    ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot));
    EXPECT_EQ(accessor.DeleteValue(Name(L"A")), kErrorAccessDenied);
    EXPECT_TRUE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"A")));

    ASSERT_TRUE(accessor.OpenKey(kRunKeyFromRoot, KeyAccess::SetValue));
    EXPECT_EQ(accessor.OpenError(), kErrorSuccess);
    EXPECT_EQ(accessor.DeleteValue(Name(L"\u0100")), kErrorSuccess);
    EXPECT_EQ(accessor.DeleteValue(Name(L"\u4e2d")), kErrorSuccess);
    EXPECT_EQ(accessor.DeleteValue(Name(L"absent")), kErrorFileNotFound);
    EXPECT_EQ(accessor.DeleteValue(Name(L"")), kErrorFileNotFound);  // a prefix of the names is none of them
    EXPECT_FALSE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"\u0100")));
    EXPECT_FALSE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"\u4e2d")));
    EXPECT_TRUE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"A")));
    EXPECT_TRUE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"?")));
    EXPECT_TRUE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"keep")));
    // Letter case does not matter to the registry.
    EXPECT_EQ(accessor.DeleteValue(Name(L"KEEP")), kErrorSuccess);
    EXPECT_FALSE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"keep")));
    // Without an open key nothing happens.
    accessor.CloseKey();
    EXPECT_NE(accessor.DeleteValue(Name(L"A")), kErrorSuccess);
    EXPECT_TRUE(backend_->GetValue(RegistryRoot::LocalMachine, kRunKeyPath, Name(L"A")));
}

// Creating opens for setting values only and makes every missing key on the
// way; the bytes written are the bytes read back. A key opened for reading
// refuses to set.
TEST_P(ContractTest, CreateKeyMakesTheMissingKeysAndSetsExactlyTheBytes) {
    const std::wstring top = L"Software\\" + Name(L"Create");
    const std::wstring path = top + L"\\Deeper\\Deepest";
    RemoveKeyAfterwards(RegistryRoot::CurrentUser, top);
    Registry& registry = backend_->View().registry;
    std::uint32_t error = 1;
    const auto created = registry.CreateKey(RegistryRoot::CurrentUser, path, RegistryView::Default, error);
    ASSERT_TRUE(created);
    EXPECT_EQ(error, kErrorSuccess);
    const std::vector<std::uint8_t> bytes{3, 0, 0, 0, 0xFF, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(created->WriteValue(L"Mark.lnk", kRegBinary, bytes), kErrorSuccess);
    const auto stored = backend_->GetValue(RegistryRoot::CurrentUser, path, L"Mark.lnk");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, kRegBinary);
    EXPECT_EQ(stored->bytes, bytes);
    // An existing key opens the same way, in the 64-bit view too.
    EXPECT_TRUE(registry.CreateKey(RegistryRoot::CurrentUser, path, RegistryView::Bits64, error));
    const auto reader = registry.OpenKey(RegistryRoot::CurrentUser, path);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->WriteValue(L"Other", kRegBinary, bytes), kErrorAccessDenied);
}

// Every subkey once, the longest name a key may have too; Windows promises
// no order. A key opened only for setting values lists none.
TEST_P(ContractTest, SubkeysListOnceEach) {
    const std::wstring top = L"Software\\" + Name(L"Subkeys");
    RemoveKeyAfterwards(RegistryRoot::CurrentUser, top);
    const std::wstring longest(255, L'k');
    for (const wchar_t* name : {L"beta", L"a_b", L"Alpha", L"\u4e2d", longest.c_str(), L"AB"})
        backend_->SetValue(RegistryRoot::CurrentUser, top + L"\\" + name, L"v", kRegDword, {1, 0, 0, 0});
    Registry& registry = backend_->View().registry;
    const auto key = registry.OpenKey(RegistryRoot::CurrentUser, top);
    ASSERT_TRUE(key);
    std::vector<std::wstring> listed;
    std::uint32_t error = kErrorSuccess;
    for (std::uint32_t index = 0; index < 10 && error == kErrorSuccess; ++index) {
        std::wstring name = L"sentinel";
        error = key->EnumSubkeyName(index, name);
        if (error == kErrorSuccess) listed.push_back(name);
    }
    EXPECT_EQ(error, kErrorNoMoreItems);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"AB", L"Alpha", L"a_b", L"beta", longest, L"\u4e2d"}));
    const auto writer = registry.OpenKey(RegistryRoot::CurrentUser, top, KeyAccess::SetValue);
    ASSERT_TRUE(writer);
    std::wstring name;
    EXPECT_EQ(writer->EnumSubkeyName(0, name), kErrorAccessDenied);
}

}  // namespace
}  // namespace quillmark
