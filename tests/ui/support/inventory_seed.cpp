#include "tests/ui/support/inventory_seed.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/handles.h"
#include "tests/ui/support/handles.h"

namespace quillmark::uitest {

namespace {

constexpr wchar_t kShellFoldersPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kSystemAppDataPath[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

void CheckStatus(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) throw std::runtime_error(std::string(what) + " failed, status " + std::to_string(status));
}

UniqueHkey CreateKey(Scope scope, const wchar_t* keyPath) {
    UniqueHkey key;
    const REGSAM access = KEY_ALL_ACCESS | kSeedView;
    CheckStatus(RegCreateKeyExW(RootOf(scope), keyPath, 0, nullptr, 0, access, nullptr, key.put(), nullptr),
                "RegCreateKeyExW");
    return key;
}

std::wstring ReadStringData(HKEY key, const std::wstring& name, DWORD& type) {
    DWORD size = 0;
    type = REG_NONE;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &read) !=
        ERROR_SUCCESS) {
        return {};
    }
    data.resize(data.find(L'\0'));
    return data;
}

// The key's values in one registry view as rows, in the registry's value
// order. A 32-bit view's value that the 64-bit view already gave (a key both
// views share) is listed once, as the program lists it.
void AddValueRows(Scope scope, const wchar_t* keyPath, REGSAM view, std::vector<ExpectedRow>& rows,
                  std::size_t placeStart) {
    UniqueHkey key;
    if (RegOpenKeyExW(RootOf(scope), keyPath, 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        ExpectedRow row;
        row.name.assign(name, nameLength);
        DWORD type = REG_NONE;
        row.location = ReadStringData(key.get(), row.name, type);
        const auto sameAs = [&row](const ExpectedRow& shown) {
            return shown.name == row.name && shown.location == row.location;
        };
        if (std::any_of(rows.begin() + static_cast<std::ptrdiff_t>(placeStart), rows.end(), sameAs)) continue;
        rows.push_back(std::move(row));
    }
}

// Both views of the machine's keys exist on 64-bit Windows only; on 32-bit
// Windows the view flags name the one key there is.
bool HasTwoRegistryViews() {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

// A registry place's rows: the 64-bit view, then for the machine on 64-bit
// Windows its 32-bit view.
void AddPlaceRows(Scope scope, const wchar_t* keyPath, std::vector<ExpectedRow>& rows) {
    const std::size_t placeStart = rows.size();
    AddValueRows(scope, keyPath, kSeedView, rows, placeStart);
    if (scope == Scope::AllUsers && HasTwoRegistryViews()) {
        AddValueRows(scope, keyPath, KEY_WOW64_32KEY, rows, placeStart);
    }
}

// The key's subkey names, in the registry's order.
std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// Per package family (a subkey of SystemAppData) its subkeys that hold a
// State value: the current user's startup tasks, in the registry's order.
void AddPackagedTaskRows(std::vector<ExpectedRow>& rows) {
    UniqueHkey families;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSystemAppDataPath, 0, KEY_READ, families.put()) != ERROR_SUCCESS) return;
    for (const std::wstring& family : SubkeyNames(families.get())) {
        UniqueHkey tasks;
        if (RegOpenKeyExW(families.get(), family.c_str(), 0, KEY_READ, tasks.put()) != ERROR_SUCCESS) continue;
        for (const std::wstring& task : SubkeyNames(tasks.get())) {
            if (RegGetValueW(tasks.get(), task.c_str(), L"State", RRF_RT_ANY, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                continue;
            ExpectedRow row;
            row.name = task;
            row.fromPackage = true;
            rows.push_back(std::move(row));
        }
    }
}

std::wstring FolderPath(const std::wstring& folder, const std::wstring& fileName) {
    if (folder.empty()) throw std::runtime_error("the scope has no Startup folder");
    return folder + L"\\" + fileName;
}

}  // namespace

HKEY RootOf(Scope scope) noexcept { return scope == Scope::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

std::wstring StartupFolder(Scope scope) {
    const wchar_t* valueName = scope == Scope::CurrentUser ? L"StartUp" : L"Common Startup";
    UniqueHkey key;
    if (RegOpenKeyExW(RootOf(scope), kShellFoldersPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
    DWORD type = REG_NONE;
    return ReadStringData(key.get(), valueName, type);
}

std::vector<ExpectedRow> ExpectedRows(Scope scope) {
    std::vector<ExpectedRow> rows;
    AddPlaceRows(scope, kRunKeyPath, rows);
    const std::wstring folder = StartupFolder(scope);
    WIN32_FIND_DATAW found{};
    UniqueFindHandle find;
    if (!folder.empty()) find.reset(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (find) {
        do {
            const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN;
            if ((found.dwFileAttributes & skipped) != 0) continue;
            ExpectedRow row;
            row.location = folder + L"\\" + found.cFileName;
            row.fromFolder = true;
            rows.push_back(std::move(row));
        } while (FindNextFileW(find.get(), &found));
    }
    AddPlaceRows(scope, kRunOnceKeyPath, rows);
    AddPlaceRows(scope, kPolicyRunKeyPath, rows);
    if (scope == Scope::CurrentUser) AddPackagedTaskRows(rows);
    return rows;
}

InventorySeed::~InventorySeed() {
    for (const Value& value : values_) {
        UniqueHkey key;
        if (RegOpenKeyExW(RootOf(value.scope), value.keyPath, 0, KEY_SET_VALUE | kSeedView, key.put()) ==
            ERROR_SUCCESS) {
            RegDeleteValueW(key.get(), value.name.c_str());
        }
    }
    for (const std::wstring& file : files_) {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
    }
}

void InventorySeed::WriteValue(Scope scope, const wchar_t* keyPath, const std::wstring& name, DWORD type,
                               const void* data, DWORD size) {
    UniqueHkey key = CreateKey(scope, keyPath);
    CheckStatus(RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
                "RegSetValueExW");
    values_.push_back({scope, keyPath, name});
}

void InventorySeed::AddStringAt(Scope scope, const wchar_t* keyPath, const std::wstring& name,
                                const std::wstring& data) {
    WriteValue(scope, keyPath, name, REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void InventorySeed::AddString(Scope scope, const std::wstring& name, const std::wstring& data, DWORD type) {
    WriteValue(scope, kRunKeyPath, name, type, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void InventorySeed::AddDword(Scope scope, const std::wstring& name, DWORD data) {
    WriteValue(scope, kRunKeyPath, name, REG_DWORD, &data, sizeof(data));
}

std::wstring InventorySeed::AddShortcut(Scope scope, const std::wstring& fileName, const std::wstring& target) {
    const std::wstring path = FolderPath(StartupFolder(scope), fileName);
    SHCreateDirectoryExW(nullptr, StartupFolder(scope).c_str(), nullptr);
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()))) {
        throw std::runtime_error("CoCreateInstance(CLSID_ShellLink) failed; is COM initialised?");
    }
    link->SetPath(target.c_str());
    const auto slash = target.find_last_of(L'\\');
    if (slash != std::wstring::npos) link->SetWorkingDirectory(target.substr(0, slash).c_str());
    ComPtr<IPersistFile> file = link.As<IPersistFile>();
    if (!file || FAILED(file->Save(path.c_str(), TRUE))) throw std::runtime_error("saving a shortcut failed");
    files_.push_back(path);
    return path;
}

std::wstring InventorySeed::AddFile(Scope scope, const std::wstring& fileName, DWORD attributes) {
    const std::wstring path = FolderPath(StartupFolder(scope), fileName);
    SHCreateDirectoryExW(nullptr, StartupFolder(scope).c_str(), nullptr);
    // A file of the prefix's own (a real desktop.ini) is left as it is.
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    {
        UniqueFileHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        Check(static_cast<bool>(file), "CreateFileW");
        static const char kContent[] = "[.ShellClassInfo]\r\n";
        DWORD written = 0;
        WriteFile(file.get(), kContent, sizeof(kContent) - 1, &written, nullptr);
    }
    Check(SetFileAttributesW(path.c_str(), attributes) != FALSE, "SetFileAttributesW");
    files_.push_back(path);
    return path;
}

bool InventorySeed::HasValue(Scope scope, const std::wstring& name) const {
    UniqueHkey key;
    if (RegOpenKeyExW(RootOf(scope), kRunKeyPath, 0, KEY_READ | kSeedView, key.put()) != ERROR_SUCCESS) return false;
    return RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring ShortcutTarget(const std::wstring& path) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()))) {
        return L"<no link object>";
    }
    const ComPtr<IPersistFile> file = link.As<IPersistFile>();
    if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) return L"<no shortcut>";
    wchar_t target[MAX_PATH + 1] = L"";
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    return target;
}

void InventorySeed::DeleteValue(Scope scope, const std::wstring& name) {
    UniqueHkey key = CreateKey(scope, kRunKeyPath);
    CheckStatus(RegDeleteValueW(key.get(), name.c_str()), "RegDeleteValueW");
}

void InventorySeed::Keep() noexcept {
    values_.clear();
    files_.clear();
}

}  // namespace quillmark::uitest
