// A DLL planted beside the exe, where a portable program is unpacked, is
// never loaded. Wine is told to prefer a native msi.dll over its own, and
// looks for one in the program's folder first, as Windows does for any DLL
// that is no KnownDLL; an advertised-looking shortcut makes the program load
// the installer's library while it lists the Startup folder.
#include <string>

#include "platform/win32/handles.h"
#include "tests/ui/main_window_fixture.h"

namespace quillmark::uitest {
namespace {

// Built into "planted" beside the test program.
std::wstring RecordingMsiDll() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return self.substr(0, self.rfind(L'\\')) + L"\\planted\\msi.dll";
}

// Tells Wine to prefer a native msi.dll for Quillmark.exe while it lives: the
// registry form of WINEDLLOVERRIDES=msi=n,b, which a program started from
// here reads at its start (the environment variable is read only from the
// Unix environment).
class PreferNativeMsi {
public:
    PreferNativeMsi() {
        UniqueHkey key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) != 0)
            return;
        const wchar_t order[] = L"native,builtin";
        RegSetValueExW(key.get(), L"msi", 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof(order));
    }
    ~PreferNativeMsi() { RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
    PreferNativeMsi(const PreferNativeMsi&) = delete;
    PreferNativeMsi& operator=(const PreferNativeMsi&) = delete;

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\Quillmark.exe\\DllOverrides";
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
    ASSERT_TRUE(CopyFileW(RecordingMsiDll().c_str(), planted.c_str(), FALSE));
    seed_.AddShortcut(Scope::CurrentUser, L"QM Advertised.lnk",
                      L"C:\\windows\\Installer\\{6D3A8E1B-2C4F-4A5B-9E7D-0F1A2B3C4D5E}\\app.exe");
    const PreferNativeMsi preferPlanted;
    app_ = std::make_unique<QuillmarkProcess>(exe);
    ASSERT_NE(app_->WaitForMainWindow(kStartTimeoutMs), nullptr);
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Exit();
    EXPECT_EQ(GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted msi.dll was loaded";
    for (const std::wstring& file : {record, planted, exe}) DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace quillmark::uitest
