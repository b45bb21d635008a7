#include "tests/stand_ins/user_shell_folders.h"

#include "tests/stand_ins/memory_file_system.h"
#include "tests/stand_ins/memory_registry.h"

namespace quillmark {

namespace {
constexpr wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
}  // namespace

std::optional<std::wstring> UserShellFolder(const MemoryRegistry& registry, MemoryFileSystem& files,
                                            KnownFolder folder) {
    const bool common = folder != KnownFolder::Startup;
    const wchar_t* name = folder == KnownFolder::CommonPrograms ? L"Common Programs"
                          : common                              ? L"Common Startup"
                                                                : L"Startup";
    const auto* value =
        registry.FindValue(common ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser, kUserShellFolders, name);
    if (value == nullptr || value->unreadable || (value->type != kRegSz && value->type != kRegExpandSz))
        return std::nullopt;
    std::wstring path;
    for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(value->data[i] | (value->data[i + 1] << 8));
        if (unit == L'\0') break;
        path.push_back(unit);
    }
    if (path.empty() || !files.DirectoryExists(path)) return std::nullopt;
    return path;
}

}  // namespace quillmark
