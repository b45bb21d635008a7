#include "tests/ui/support/package_seed.h"

#include <shellapi.h>
#include <shlobj.h>

#include <stdexcept>

#include "platform/win32/handles.h"

namespace quillmark::uitest {

namespace {

constexpr wchar_t kAppModel[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel";
constexpr wchar_t kPublisher[] = L"qm8wekyb3d8bbwe";
constexpr wchar_t kProgramFile[] = L"Tasks\\starter.exe";

std::wstring FamilyName(const StagedPackagedTask& task) { return task.name + L"_" + kPublisher; }
std::wstring FullName(const StagedPackagedTask& task) { return task.name + L"_1.0.0.0_x64__" + kPublisher; }
std::wstring TaskKey(const StagedPackagedTask& task) {
    return std::wstring(kAppModel) + L"\\SystemAppData\\" + FamilyName(task) + L"\\" + task.taskId;
}

void CheckStatus(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) throw std::runtime_error(std::string(what) + " failed, status " + std::to_string(status));
}

void SetString(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    CheckStatus(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                "RegSetKeyValueW");
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void WriteManifest(const std::wstring& path, const StagedPackagedTask& task) {
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\"\r\n"
        "  xmlns:uap5=\"http://schemas.microsoft.com/appx/manifest/uap/windows10/5\">\r\n"
        "  <Applications>\r\n"
        "    <Application Id=\"App\" Executable=\"App\\main.exe\" EntryPoint=\"Windows.FullTrustApplication\">\r\n"
        "      <Extensions>\r\n"
        "        <uap5:Extension Category=\"windows.startupTask\" Executable=\"" + Utf8(kProgramFile) + "\">\r\n"
        "          <uap5:StartupTask TaskId=\"" + Utf8(task.taskId) + "\" Enabled=\"true\" DisplayName=\"" +
        Utf8(task.displayName) + "\"/>\r\n"
        "        </uap5:Extension>\r\n"
        "      </Extensions>\r\n"
        "    </Application>\r\n"
        "  </Applications>\r\n"
        "</Package>\r\n";
    const UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
        throw std::runtime_error("writing AppxManifest.xml failed");
    }
}

}  // namespace

PackageSeed::~PackageSeed() {
    for (const std::wstring& key : keys_) RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    for (const std::wstring& folder : folders_) {
        // SHFileOperationW wants the path ended by two nulls.
        std::wstring from = folder;
        from.push_back(L'\0');
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
    }
}

std::wstring PackageSeed::Add(const StagedPackagedTask& task, const std::wstring& programSource) {
    wchar_t programFiles[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles)))
        throw std::runtime_error("no Program Files folder");
    const std::wstring folder = std::wstring(programFiles) + L"\\WindowsApps\\" + FullName(task);
    const std::wstring program = folder + L"\\" + kProgramFile;
    folders_.push_back(folder);
    const int made = SHCreateDirectoryExW(nullptr, (folder + L"\\Tasks").c_str(), nullptr);
    if (made != ERROR_ALREADY_EXISTS) CheckStatus(made, "SHCreateDirectoryExW");
    if (!CopyFileW(programSource.c_str(), program.c_str(), FALSE)) throw std::runtime_error("copying the program failed");
    WriteManifest(folder + L"\\AppxManifest.xml", task);

    const std::wstring package = std::wstring(kAppModel) + L"\\Repository\\Packages\\" + FullName(task);
    keys_.push_back(package);
    SetString(package, L"PackageRootFolder", folder);
    SetString(package, L"DisplayName", task.name);
    keys_.push_back(std::wstring(kAppModel) + L"\\SystemAppData\\" + FamilyName(task));
    CheckStatus(RegSetKeyValueW(HKEY_CURRENT_USER, TaskKey(task).c_str(), L"State", REG_DWORD, &task.state,
                                sizeof(task.state)),
                "RegSetKeyValueW");
    return program;
}

long PackageSeed::StateOf(const StagedPackagedTask& task) {
    DWORD state = 0;
    DWORD size = sizeof(state);
    if (RegGetValueW(HKEY_CURRENT_USER, TaskKey(task).c_str(), L"State", RRF_RT_REG_DWORD, nullptr, &state, &size) !=
        ERROR_SUCCESS)
        return -1;
    return static_cast<long>(state);
}

void PackageSeed::Keep() noexcept {
    keys_.clear();
    folders_.clear();
}

}  // namespace quillmark::uitest
