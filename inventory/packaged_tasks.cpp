#include "inventory/packaged_tasks.h"

#include <string_view>
#include <utility>

#include "inventory/package_repository.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/package_manifests.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "platform/trace.h"
#include "platform/windows_error.h"

namespace quillmark {

namespace {

const wchar_t kStateValue[] = L"State";
// StartupTaskState: what the user sets from Settings, and what a policy fixes.
constexpr std::uint32_t kDisabledByUser = 1;
constexpr std::uint32_t kEnabled = 2;
constexpr std::uint32_t kDisabledByPolicy = 3;
constexpr std::uint32_t kEnabledByPolicy = 4;
// A manifest's DisplayName has at most this many characters.
constexpr std::size_t kMaxDisplayName = 256;
constexpr std::size_t kMaxPath = 32767;

std::wstring TaskKeyPath(const std::wstring& familyName, const std::wstring& taskId) {
    return std::wstring(kSystemAppDataKey) + L"\\" + familyName + L"\\" + taskId;
}

bool StartsWithFolded(const CodePage& codePage, const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && codePage.Upper(text.substr(0, prefix.size())) == codePage.Upper(prefix);
}

// A name fit to show as it is: not an "ms-resource:" reference or an
// indirect "@{...}" string (resolved only through the package's resources),
// and nothing a list row cannot hold.
bool IsPlainName(const CodePage& codePage, const std::wstring& name) {
    if (name.empty() || name.size() > kMaxDisplayName || name.front() == L'@' ||
        StartsWithFolded(codePage, name, L"ms-resource:")) {
        return false;
    }
    for (const wchar_t c : name) {
        if (c < L' ') return false;
    }
    return name.find_first_not_of(L' ') != std::wstring::npos;
}

// The program's full path from the package folder and the manifest's
// relative path, which must stay inside that folder: no drive, no root, no
// "." or ".." step, nothing a file name cannot hold. Empty otherwise.
std::wstring PathInPackage(const std::wstring& folder, const std::wstring& relative) {
    if (relative.empty() || relative.size() > kMaxPath || relative.front() == L'\\' || relative.front() == L'/')
        return {};
    std::wstring path = folder;
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    std::wstring step;
    for (const wchar_t c : relative + L'\\') {
        if (c == L'\\' || c == L'/') {
            if (step.empty() || step == L"." || step == L"..") return {};
            path += L"\\" + step;
            step.clear();
        } else if (c < L' ' || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos) {
            return {};
        } else {
            step.push_back(c);
        }
    }
    return path.size() > kMaxPath ? std::wstring() : path;
}

// The State value when it is the DWORD Windows stores; nothing when the key
// holds no State at all (then it is no task).
std::optional<std::pair<bool, std::uint32_t>> ReadState(RegistryKey& key) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (!key.QueryValueInfo(kStateValue, type, size)) return std::nullopt;
    std::vector<std::uint8_t> data;
    if (type != kRegDword || size != 4 || !key.ReadValueData(kStateValue, size, data) || data.size() != 4)
        return std::make_pair(false, 0u);
    return std::make_pair(true, static_cast<std::uint32_t>(data[0] | (data[1] << 8) | (data[2] << 16)) |
                                    (static_cast<std::uint32_t>(data[3]) << 24));
}

// The family's tasks: its subkeys that hold a State value, named by their id
// until the manifest says more.
std::vector<PackagedStartupTask> FamilyTasks(const Platform& platform, const std::wstring& familyName) {
    std::vector<PackagedStartupTask> tasks;
    const std::wstring familyPath = std::wstring(kSystemAppDataKey) + L"\\" + familyName;
    const auto family = platform.registry.OpenKey(RegistryRoot::CurrentUser, familyPath);
    if (!family) return tasks;
    for (const std::wstring& taskId : SubkeyNames(*family)) {
        const auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, familyPath + L"\\" + taskId);
        const auto state = key ? ReadState(*key) : std::nullopt;
        if (!state) continue;
        tasks.push_back({familyName, taskId, taskId, {}, state->first ? state->second : 0, state->first});
    }
    return tasks;
}

// Names each task and its program from the package's manifest. A manifest
// off the fixed drives is not read (a share that does not answer would hold
// the list up), nor one that fails to read: the tasks keep their ids.
void ApplyManifest(const Platform& platform, const InstalledPackage& package,
                   std::vector<PackagedStartupTask>& tasks) {
    if (!platform.files.IsOnFixedDrive(package.rootFolder)) return;
    const std::wstring manifestPath = PathInPackage(package.rootFolder, L"AppxManifest.xml");
    std::vector<ManifestStartupTask> declared;
    if (manifestPath.empty() || !platform.manifests.ReadStartupTasks(manifestPath, declared)) return;
    const CodePage& codePage = platform.codePage;
    for (PackagedStartupTask& task : tasks) {
        for (const ManifestStartupTask& entry : declared) {
            // Key names match without regard to letter case.
            if (codePage.Upper(entry.taskId) != codePage.Upper(task.taskId)) continue;
            if (IsPlainName(codePage, entry.displayName)) {
                task.displayName = entry.displayName;
            } else if (IsPlainName(codePage, package.displayName)) {
                task.displayName = package.displayName;
            }
            task.executable = PathInPackage(package.rootFolder, entry.executable);
            break;
        }
    }
}

// A key name the task's path is built from: one step, never a way out of it.
bool IsOneKeyName(const std::wstring& name) {
    return !name.empty() && name.size() <= 255 && name.find(L'\\') == std::wstring::npos;
}

}  // namespace

std::vector<PackagedStartupTask> ListPackagedStartupTasks(const Platform& platform) noexcept {
    std::vector<PackagedStartupTask> all;
    try {
        const auto root = platform.registry.OpenKey(RegistryRoot::CurrentUser, kSystemAppDataKey);
        if (!root) return all;
        const PackageRepository repository(platform);
        for (const std::wstring& familyName : SubkeyNames(*root)) {
            // One family's trouble leaves the others' tasks listed.
            try {
                std::vector<PackagedStartupTask> tasks = FamilyTasks(platform, familyName);
                if (tasks.empty()) continue;
                if (const auto package = repository.Find(familyName)) ApplyManifest(platform, *package, tasks);
                all.insert(all.end(), tasks.begin(), tasks.end());
            } catch (...) {
                TraceCaughtFailure();
            }
        }
    } catch (...) {
        TraceCaughtFailure();
    }
    return all;
}

std::optional<std::wstring> PackagedTaskLocked(const PackagedStartupTask& task) {
    if (!task.stateKnown) return std::nullopt;
    if (task.state == kDisabledByPolicy)
        return L"A policy set by the administrator has turned this startup task off; it cannot be turned on here.";
    if (task.state == kEnabledByPolicy)
        return L"A policy set by the administrator has turned this startup task on; it cannot be turned off here.";
    return std::nullopt;
}

std::uint32_t SetPackagedTaskEnabled(const Platform& platform, const PackagedStartupTask& task, bool enabled) {
    if (PackagedTaskLocked(task)) return kErrorAccessDisabledByPolicy;
    if (!IsOneKeyName(task.familyName) || !IsOneKeyName(task.taskId)) return kErrorFileNotFound;
    const std::wstring path = TaskKeyPath(task.familyName, task.taskId);
    // A policy may have fixed the task since the list was read.
    std::uint32_t error = kErrorSuccess;
    const auto current = platform.registry.OpenKey(RegistryRoot::CurrentUser, path, KeyAccess::Read,
                                                   RegistryView::Default, error);
    if (!current) return error;
    if (const auto state = ReadState(*current); state && state->first) {
        PackagedStartupTask now = task;
        now.state = state->second;
        now.stateKnown = true;
        if (PackagedTaskLocked(now)) return kErrorAccessDisabledByPolicy;
    }
    // Only an existing task key is written: one that is gone belongs to an
    // app that was removed.
    const auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, path, KeyAccess::SetValue,
                                               RegistryView::Default, error);
    if (!key) return error;
    const std::uint32_t state = enabled ? kEnabled : kDisabledByUser;
    return key->WriteValue(kStateValue, kRegDword, {static_cast<std::uint8_t>(state), 0, 0, 0});
}

}  // namespace quillmark
