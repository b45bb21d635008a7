#include "tests/stand_ins/recording_shell.h"

#include <condition_variable>
#include <chrono>
#include <mutex>

#include "tests/stand_ins/path_key.h"
#include "platform/shell_links.h"

namespace quillmark {

namespace {

// Counts itself in and out of a live counter shared with the shell.
class Counted {
public:
    explicit Counted(std::shared_ptr<std::atomic<int>> live) : live_(std::move(live)) { ++*live_; }
    ~Counted() { --*live_; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

private:
    std::shared_ptr<std::atomic<int>> live_;
};

class StandInIdList final : public ShellIdList {
public:
    StandInIdList(std::wstring path, std::shared_ptr<std::atomic<int>> live)
        : path_(std::move(path)), counted_(std::move(live)) {}
    // Empty for a virtual folder.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    Counted counted_;
};

class StandInIcon final : public FileIcon {
public:
    explicit StandInIcon(std::shared_ptr<std::atomic<int>> live) : counted_(std::move(live)) {}

private:
    Counted counted_;
};

std::wstring Widen(const std::string& text) {
    std::wstring out;
    for (char c : text) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

std::string NarrowAscii(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

const std::wstring& PathOf(const ShellIdList& list) { return static_cast<const StandInIdList&>(list).Path(); }

}  // namespace

// Shared with calls in progress, so a call let go after a test is done
// still has its gate.
struct RecordingShell::IconGate {
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    int entered = 0;
    int left = 0;

    void Enter() {
        std::unique_lock lock(mutex);
        ++entered;
        changed.notify_all();
        changed.wait(lock, [&] { return !held; });
    }
    void Leave() {
        const std::lock_guard lock(mutex);
        ++left;
        changed.notify_all();
    }
    void Hold(bool hold) {
        const std::lock_guard lock(mutex);
        held = hold;
        changed.notify_all();
    }
    bool WaitFor(const int& counter, int count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return counter >= count; });
    }
};

RecordingShell::RecordingShell()
    : liveIdLists_(std::make_shared<std::atomic<int>>(0)), liveIcons_(std::make_shared<std::atomic<int>>(0)),
      iconGate_(std::make_shared<IconGate>()) {}

void RecordingShell::HoldIcons() { iconGate_->Hold(true); }
void RecordingShell::ReleaseIcons() { iconGate_->Hold(false); }
bool RecordingShell::WaitForIconCallsEntered(int count) { return iconGate_->WaitFor(iconGate_->entered, count); }
bool RecordingShell::WaitForIconCallsLeft(int count) { return iconGate_->WaitFor(iconGate_->left, count); }
RecordingShell::~RecordingShell() = default;

void RecordingShell::SetFolderPath(int csidl, const std::string& path, HResult result) {
    folderPaths_[csidl] = {path, result};
}

void RecordingShell::SetFolderLocation(int csidl, const std::wstring& path) { folderLocations_[csidl] = path; }

void RecordingShell::AddIcon(const std::wstring& path) { icons_.insert(PathKey(path)); }

void RecordingShell::SetRemover(std::function<bool(const std::wstring&)> remover) { remover_ = std::move(remover); }

void RecordingShell::SetFileOperationAnswer(std::optional<FileOperationResult> answer) {
    fileOperationAnswer_ = answer;
}

void RecordingShell::SetBrowseResult(std::optional<std::wstring> folder) { browseResult_ = std::move(folder); }

void RecordingShell::SetFolderPathW(int csidl, const std::wstring& path) { wideFolderPaths_[csidl] = path; }

HResult RecordingShell::GetFolderPathW(int csidl, std::wstring& path) {
    const auto found = folderPaths_.find(csidl);
    const auto wide = wideFolderPaths_.find(csidl);
    if (wide != wideFolderPaths_.end()) {
        path = wide->second.substr(0, kMaxPath);
        return found != folderPaths_.end() ? found->second.second : kSOk;
    }
    if (found == folderPaths_.end()) {
        path.clear();
        return kEInvalidArg;
    }
    path = Widen(found->second.first).substr(0, kMaxPath);
    return found->second.second;
}

HResult RecordingShell::GetKnownFolderPath(KnownFolder folder, std::wstring& path) {
    const std::optional<std::wstring> found = knownFolders_ ? knownFolders_(folder) : std::nullopt;
    path = found.value_or(std::wstring());
    return found ? kSOk : kFileNotFound;
}

std::unique_ptr<ShellIdList> RecordingShell::GetSpecialFolderLocation(int csidl) {
    const auto found = folderLocations_.find(csidl);
    if (found == folderLocations_.end()) return nullptr;
    return std::make_unique<StandInIdList>(found->second, liveIdLists_);
}

bool RecordingShell::GetPathFromIdListA(const ShellIdList& list, std::string& path) {
    path = PathOf(list).empty() ? std::string() : NarrowAscii(PathOf(list)).substr(0, kMaxPath - 1);
    return !path.empty();
}

bool RecordingShell::GetPathFromIdListW(const ShellIdList& list, std::wstring& path) {
    path = PathOf(list).substr(0, kMaxPath);
    return !path.empty();
}

bool RecordingShell::ExecuteExA(const ShellExecuteInfo& info) {
    ExecuteRecord record;
    record.call = L"ShellExecuteExA";
    record.mask = info.mask;
    record.verb = Widen(info.verb);
    record.file = Widen(info.file);
    if (info.idList != nullptr) record.idListPath = PathOf(*info.idList);
    record.show = info.show;
    executed_.push_back(record);
    return true;
}

std::uint32_t RecordingShell::ExecuteExW(const ShellExecuteInfoW& info) {
    executed_.push_back({L"ShellExecuteExW", info.owner, info.mask, info.verb, info.file, info.parameters, L"",
                         std::nullopt, info.show});
    return executeExWError_;
}

bool RecordingShell::ExecuteW(ShellOwner owner, const std::wstring& verb, const std::wstring& file,
                              const std::wstring& parameters, const std::wstring& directory, int show) {
    executed_.push_back({L"ShellExecuteW", owner, 0, verb, file, parameters, directory, std::nullopt, show});
    return true;
}

bool RecordingShell::ExecuteA(ShellOwner owner, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory, int show) {
    executed_.push_back({L"ShellExecuteA", owner, 0, Widen(verb), Widen(file), Widen(parameters), Widen(directory),
                         std::nullopt, show});
    return true;
}

bool RecordingShell::WinExec(const std::string& commandLine, int show) {
    executed_.push_back({L"WinExec", ShellOwner::None, 0, L"", Widen(commandLine), L"", L"", std::nullopt, show});
    return true;
}

HResult RecordingShell::ToggleDesktop() {
    executed_.push_back({L"ToggleDesktop", ShellOwner::None, 0, L"", L"", L"", L"", std::nullopt, 0});
    return toggleDesktopResult_;
}

FileOperationResult RecordingShell::FileOperationW(const FileOperation& operation) {
    fileOperations_.push_back(operation);
    if (operation.function != kFoDelete) return {};
    if (fileOperationAnswer_) return *fileOperationAnswer_;
    constexpr int kErrorAccessDenied = 5;
    if (!refusedFolder_.empty() && PathKey(operation.from).rfind(PathKey(refusedFolder_ + L"\\"), 0) == 0) {
        return {kErrorAccessDenied, false};
    }
    return {!remover_ || remover_(operation.from) ? 0 : 2, false};
}

std::unique_ptr<FileIcon> RecordingShell::GetFileIcon(const std::wstring& path, int size) {
    const auto gate = iconGate_;
    gate->Enter();
    {
        const std::lock_guard lock(iconRequestsMutex_);
        iconRequests_.push_back(path);
        lastIconSize_ = size;
    }
    std::unique_ptr<FileIcon> icon;
    if (icons_.count(PathKey(path)) != 0) icon = std::make_unique<StandInIcon>(liveIcons_);
    // Nothing of the shell is touched after this: a test may end at once.
    gate->Leave();
    return icon;
}

std::unique_ptr<ShellIdList> RecordingShell::BrowseForFolder(const BrowseInfo& info) {
    browsed_.push_back(info);
    if (!browseResult_) return nullptr;
    return std::make_unique<StandInIdList>(*browseResult_, liveIdLists_);
}

}  // namespace quillmark
