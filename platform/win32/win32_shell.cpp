#include "platform/win32/win32_shell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/shell_links.h"
#include "platform/win32/shell_handles.h"
#include "platform/win32/win32_image_list.h"

namespace quillmark {

namespace {

class Win32IdList final : public ShellIdList {
public:
    explicit Win32IdList(LPITEMIDLIST list) noexcept : list_(list) {}
    LPITEMIDLIST Get() const noexcept { return list_.get(); }

private:
    UniqueIdList list_;
};

LPITEMIDLIST IdListOf(const ShellIdList* list) {
    return list == nullptr ? nullptr : static_cast<const Win32IdList*>(list)->Get();
}

template <typename Char>
const Char* OrNull(const std::basic_string<Char>& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Preselects the folder whose path travels in lParam once the dialog is up.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

HWND Win32Shell::Owner(ShellOwner owner) const noexcept {
    switch (owner) {
        case ShellOwner::Application: return application_;
        case ShellOwner::MainWindow: return mainWindow_;
        case ShellOwner::None: break;
    }
    return nullptr;
}

HResult Win32Shell::GetFolderPathW(int csidl, std::wstring& path) {
    wchar_t buffer[kMaxPath + 1] = {};
    const HRESULT result = SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    buffer[kMaxPath] = L'\0';
    path = buffer;
    return result;
}

HResult Win32Shell::GetKnownFolderPath(KnownFolder folder, std::wstring& path) {
    // The documented source of these folders, which follows folder
    // redirection; the "Shell Folders" key is only a cache of it.
    const KNOWNFOLDERID& id = folder == KnownFolder::CommonStartup    ? FOLDERID_CommonStartup
                              : folder == KnownFolder::CommonPrograms ? FOLDERID_CommonPrograms
                                                                      : FOLDERID_Startup;
    PWSTR found = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &found);
    // The shell allocates the text even for some failures; it is freed either way.
    const UniqueCoTaskText text(found);
    path = SUCCEEDED(result) && found != nullptr ? std::wstring(found) : std::wstring();
    return result;
}

std::unique_ptr<ShellIdList> Win32Shell::GetSpecialFolderLocation(int csidl) {
    LPITEMIDLIST list = nullptr;
    SHGetSpecialFolderLocation(nullptr, csidl, &list);
    if (list == nullptr) return nullptr;
    return std::make_unique<Win32IdList>(list);
}

bool Win32Shell::GetPathFromIdListA(const ShellIdList& list, std::string& path) {
    char buffer[kMaxPath] = {};
    const bool ok = SHGetPathFromIDListA(IdListOf(&list), buffer) != FALSE;
    buffer[kMaxPath - 1] = '\0';
    path = ok ? std::string(buffer) : std::string();
    return ok;
}

bool Win32Shell::GetPathFromIdListW(const ShellIdList& list, std::wstring& path) {
    wchar_t buffer[kMaxPath + 1] = {};
    const bool ok = SHGetPathFromIDListW(IdListOf(&list), buffer) != FALSE;
    buffer[kMaxPath] = L'\0';
    path = ok ? std::wstring(buffer) : std::wstring();
    return ok;
}

bool Win32Shell::ExecuteExA(const ShellExecuteInfo& info) {
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof(execute);
    execute.fMask = info.mask;
    execute.lpVerb = OrNull(info.verb);
    execute.lpFile = OrNull(info.file);
    execute.lpIDList = IdListOf(info.idList);
    execute.nShow = info.show;
    return ShellExecuteExA(&execute) != FALSE;
}

std::uint32_t Win32Shell::ExecuteExW(const ShellExecuteInfoW& info) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof(execute);
    execute.fMask = info.mask;
    execute.hwnd = Owner(info.owner);
    execute.lpVerb = OrNull(info.verb);
    execute.lpFile = OrNull(info.file);
    execute.lpParameters = OrNull(info.parameters);
    execute.nShow = info.show;
    if (ShellExecuteExW(&execute)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

bool Win32Shell::ExecuteW(ShellOwner owner, const std::wstring& verb, const std::wstring& file,
                          const std::wstring& parameters, const std::wstring& directory, int show) {
    const HINSTANCE result =
        ShellExecuteW(Owner(owner), OrNull(verb), file.c_str(), OrNull(parameters), OrNull(directory), show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::ExecuteA(ShellOwner owner, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory, int show) {
    const HINSTANCE result =
        ShellExecuteA(Owner(owner), OrNull(verb), file.c_str(), OrNull(parameters), OrNull(directory), show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

FileOperationResult Win32Shell::FileOperationW(const FileOperation& operation) {
    // pFrom is a list of paths ended by an empty one: the path, then two NULs.
    std::wstring from = operation.from;
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW file{};
    // A question the shell asks (such as whether to delete for good a file
    // that no recycle bin can take) is modal to the main window.
    file.hwnd = mainWindow_;
    file.wFunc = operation.function;
    file.pFrom = from.c_str();
    file.fFlags = operation.flags;
    const int code = SHFileOperationW(&file);
    return {code, file.fAnyOperationsAborted != FALSE};
}

std::unique_ptr<FileIcon> Win32Shell::GetFileIcon(const std::wstring& path, int size) {
    // The file itself (no SHGFI_USEFILEATTRIBUTES), so the path must exist.
    SHFILEINFOW info{};
    const int systemSmall = GetSystemMetrics(SM_CXSMICON);
    // At the system's small-icon size the shell answers from its own cache in
    // one call; any other size is extracted from the icon's file at that size,
    // not a larger image shrunk, so it is sharp at every DPI.
    if (size != systemSmall &&
        SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) != 0 && info.szDisplayName[0] != 0) {
        HICON sized = nullptr;
        if (SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &sized, nullptr, static_cast<UINT>(size)) == S_OK &&
            sized != nullptr) {
            return std::make_unique<Win32FileIcon>(sized);
        }
    }
    // An icon handler draws this file's icon, or its file has no image.
    info = SHFILEINFOW{};
    const UINT which = size <= systemSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    const DWORD_PTR result = SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | which);
    UniqueIcon icon(info.hIcon);
    if (result != 0 && icon) return std::make_unique<Win32FileIcon>(icon.release());
    // A shell that parses paths through its folder listings cannot place a
    // file reached through the Sysnative alias, which no listing shows (Wine's
    // does so). A program's own first icon is the one the shell shows for it;
    // one without any shows the icon of its kind. A missing file has none.
    HICON own = nullptr;
    if (SHDefExtractIconW(path.c_str(), 0, 0, &own, nullptr, static_cast<UINT>(size)) == S_OK && own != nullptr)
        return std::make_unique<Win32FileIcon>(own);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    info = SHFILEINFOW{};
    const UINT kind = SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | which;
    SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), kind);
    return info.hIcon != nullptr ? std::make_unique<Win32FileIcon>(info.hIcon) : nullptr;
}

std::unique_ptr<ShellIdList> Win32Shell::BrowseForFolder(const BrowseInfo& info) {
    std::vector<wchar_t> displayName(kMaxPath + 1, L'\0');
    BROWSEINFOW browse{};
    browse.hwndOwner = application_;
    browse.pszDisplayName = displayName.data();
    browse.lpszTitle = info.title.c_str();
    browse.ulFlags = info.flags;
    if (!info.preselect.empty()) {
        browse.lpfn = BrowseCallback;
        browse.lParam = reinterpret_cast<LPARAM>(info.preselect.c_str());
    }
    LPITEMIDLIST list = SHBrowseForFolderW(&browse);
    if (list == nullptr) return nullptr;
    return std::make_unique<Win32IdList>(list);
}

}  // namespace quillmark
