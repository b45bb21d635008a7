#include "tests/shellpath/win32/shell_test_support.h"

#include <shobjidl.h>

#include "platform/win32/handles.h"

namespace quillmark::win32_testing {

TempFolder::TempFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        UniqueFindHandle owner(find);
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
    }
    RemoveDirectoryW(path.c_str());
}

bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

LinkContents ReadLink(const std::wstring& file) {
    LinkContents contents;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
        return contents;
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void()))) return contents;
    contents.loaded = SUCCEEDED(persist->Load(file.c_str(), STGM_READ));
    wchar_t buffer[MAX_PATH + 1] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    contents.path = buffer;
    buffer[0] = L'\0';
    link->GetArguments(buffer, MAX_PATH);
    contents.arguments = buffer;
    buffer[0] = L'\0';
    link->GetDescription(buffer, MAX_PATH);
    contents.description = buffer;
    buffer[0] = L'\0';
    link->GetWorkingDirectory(buffer, MAX_PATH);
    contents.workingDirectory = buffer;
    buffer[0] = L'\0';
    link->GetIconLocation(buffer, MAX_PATH, &contents.iconIndex);
    contents.iconLocation = buffer;
    link->GetHotkey(&contents.hotKey);
    link->GetShowCmd(&contents.showCommand);
    return contents;
}

std::wstring ShortPath(const std::wstring& file) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
        return {};
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void()))) return {};
    if (FAILED(persist->Load(file.c_str(), STGM_READ))) return {};
    wchar_t buffer[MAX_PATH + 1] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_SHORTPATH);
    return buffer;
}

bool WriteLink(const std::wstring& file, const std::wstring& target) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
        return false;
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void()))) return false;
    link->SetPath(target.c_str());
    return SUCCEEDED(persist->Save(file.c_str(), TRUE));
}

namespace {
BOOL CALLBACK CountVisible(HWND window, LPARAM data) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) ++*reinterpret_cast<int*>(data);
    return TRUE;
}
}  // namespace

int VisibleWindowsOfThisProcess() {
    int count = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace quillmark::win32_testing
