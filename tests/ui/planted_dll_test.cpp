// A DLL planted beside the exe, where a portable program is unpacked, is
// never loaded: Wine is told to prefer a msi.dll of the program's folder
// over its own (Windows would look there first for a DLL that is no
// KnownDLL), and an advertised-looking shortcut makes the program load the
// installer's library while it lists the Startup folder.
#include <string>

#include "tests/ui/main_window_fixture.h"

namespace quillmark::uitest {
namespace {

std::wstring BuildFolder() { return QuillmarkExePath().substr(0, QuillmarkExePath().rfind(L"\\app\\")); }

// Sets an environment variable for the programs this process starts, and
// puts the old state back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
        wchar_t old[1024] = L"";
        const DWORD length = GetEnvironmentVariableW(name, old, 1024);
        had_ = length > 0 && length < 1024;
        old_ = old;
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
    std::wstring old_;
    bool had_ = false;
};

TEST_F(MainWindowTest, AMsiDllBesideTheExeIsNeverLoaded) {
    wchar_t temp[MAX_PATH + 1] = L"";
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"qm-planted";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\Quillmark.exe";
    const std::wstring planted = folder + L"\\msi.dll";
    const std::wstring record = planted + L".loaded";
    DeleteFileW(record.c_str());
    ASSERT_TRUE(CopyFileW(QuillmarkExePath().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((BuildFolder() + L"\\tests\\planted\\msi.dll").c_str(), planted.c_str(), FALSE));
    seed_.AddShortcut(Scope::CurrentUser, L"QM Advertised.lnk",
                      L"C:\\windows\\Installer\\{6D3A8E1B-2C4F-4A5B-9E7D-0F1A2B3C4D5E}\\app.exe");
    {
        const ScopedVariable preferPlanted(L"WINEDLLOVERRIDES", L"msi=n,b");
        app_ = std::make_unique<QuillmarkProcess>(exe);
    }
    ASSERT_NE(app_->WaitForMainWindow(kStartTimeoutMs), nullptr);
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Exit();
    EXPECT_EQ(GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted msi.dll was loaded";
    for (const std::wstring& file : {record, planted, exe}) DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace quillmark::uitest
