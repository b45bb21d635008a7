// The Windows side of the inventory tests' world: the real image list and a
// look at what the shell's link object stored in a shortcut.
#include <windows.h>
#include <shlobj.h>

#include "platform/win32/handles.h"
#include "platform/win32/win32_image_list.h"
#include "tests/inventory/inventory_world.h"
#include "tests/shellpath/win32/shell_test_support.h"

namespace quillmark {

std::unique_ptr<ImageList> MakeWin32TestImageList() {
    return std::make_unique<Win32ImageList>(16, [](int size) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, 0)));
    });
}

bool Win32MakeProgram(const std::wstring& path) {
    wchar_t system[MAX_PATH + 1] = L"";
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return false;
    const std::wstring source = std::wstring(system) + L"\\notepad.exe";
    return CopyFileW(source.c_str(), path.c_str(), TRUE) != FALSE;
}

std::wstring Win32StoredLinkTarget(const std::wstring& file) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
        return L"<no link object>";
    const auto persist = link.As<IPersistFile>();
    if (!persist || FAILED(persist->Load(file.c_str(), STGM_READ))) return L"<not loaded>";
    wchar_t buffer[MAX_PATH + 1] = L"<sentinel>";
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    buffer[MAX_PATH] = L'\0';
    return buffer;
}

std::string Win32FileBytes(const std::wstring& file) {
    const std::vector<unsigned char> bytes = win32_testing::ReadBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace quillmark
