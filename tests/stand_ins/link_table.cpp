#include "tests/stand_ins/link_table.h"

#include <mutex>
#include <optional>

#include "tests/stand_ins/path_key.h"

namespace quillmark {

struct LinkTable::State {
    struct Entry {
        bool readable = true;
        LinkRecord record;
    };
    std::map<std::wstring, Entry> files;
    std::function<bool(const std::wstring&)> folderExists;
    std::function<void(const std::wstring&)> fileWritten;
    std::function<std::wstring(const std::wstring&)> fullPath;
    HResult persistResult = kSOk;
    HResult saveResult = kSOk;
    int created = 0;
    int alive = 0;
    int resolveDialogs = 0;
    int resolveRewrites = 0;
    std::vector<std::wstring> calls;
    // A load may read its shortcuts on several threads, each with objects of
    // its own; what the objects share is kept under this lock.
    std::mutex mutex;

    void Note(std::wstring call) {
        const std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
    }

    // IPersistFile::Load: a missing file and a file that is not a shortcut
    // fail, and leave what the object held before, as the shell's own object
    // checks the file's header before it lets go of its old data.
    HResult Load(const std::wstring& path, std::optional<LinkRecord>& loaded) {
        const std::lock_guard lock(mutex);
        const auto found = files.find(PathKey(path));
        if (found == files.end()) return kFileNotFound;
        if (!found->second.readable) return kEFail;
        loaded = found->second.record;
        return kSOk;
    }
};

namespace {

std::wstring Number(std::uint32_t value) { return std::to_wstring(value); }

// The buffers hold kMaxPath characters with the terminator; longer text is cut.
template <typename Text>
Text Fit(const Text& text) {
    return text.size() < kMaxPath ? text : text.substr(0, kMaxPath - 1);
}

// The folder part of a file name: up to its last backslash.
std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

class LinkObjectBase {
protected:
    explicit LinkObjectBase(std::shared_ptr<LinkTable::State> state) : state_(std::move(state)) {
        const std::lock_guard lock(state_->mutex);
        ++state_->created;
        ++state_->alive;
    }
    ~LinkObjectBase() {
        const std::lock_guard lock(state_->mutex);
        --state_->alive;
    }

    HResult QueryPersist() {
        state_->Note(L"QueryPersistFile");
        hasPersist_ = Succeeded(state_->persistResult);
        return state_->persistResult;
    }
    HResult LoadFile(const std::wstring& path, std::uint32_t mode) {
        state_->Note(L"Load " + path + L" " + Number(mode));
        if (!hasPersist_) return kENoInterface;
        return state_->Load(path, loaded_);
    }

    std::shared_ptr<LinkTable::State> state_;
    std::optional<LinkRecord> loaded_;
    bool hasPersist_ = false;
};

class StandInWideLink final : public WideShellLink, LinkObjectBase {
public:
    explicit StandInWideLink(std::shared_ptr<LinkTable::State> state) : LinkObjectBase(std::move(state)) {}

    HResult QueryPersistFile() override { return QueryPersist(); }
    HResult Load(const std::wstring& path, std::uint32_t mode) override { return LoadFile(path, mode); }
    HResult Save(const std::wstring& path, bool remember) override {
        state_->Note(L"Save " + path + L" " + Number(remember ? 1 : 0));
        if (!hasPersist_) return kENoInterface;
        if (state_->folderExists && !state_->folderExists(FolderOf(path))) return kEFail;
        if (!Succeeded(state_->saveResult)) return state_->saveResult;
        LinkRecord saved;
        saved.target = edited_.target;
        saved.workingDirectory = edited_.workingDirectory;
        saved.shortTarget = edited_.target;
        state_->files[PathKey(path)] = LinkTable::State::Entry{true, saved};
        if (state_->fileWritten) state_->fileWritten(path);
        return kSOk;
    }
    HResult GetPath(std::uint32_t flags, std::wstring& path) override {
        state_->Note(L"GetPath " + Number(flags));
        // SLGP_SHORTPATH reports the 8.3 form, which the record keeps apart.
        if (loaded_ && (flags & kSlgpShortPath) != 0) {
            path.clear();
            if (!Succeeded(loaded_->shortPathResult)) return loaded_->shortPathResult;
            path = Fit(loaded_->shortTarget);
            return kSOk;
        }
        // SLGP_RAWPATH reports the stored form with its %NAME% references.
        const bool raw = loaded_ && (flags & kSlgpRawPath) != 0 && !loaded_->rawTarget.empty();
        path = raw ? Fit(loaded_->rawTarget) : loaded_ ? Fit(loaded_->target) : Fit(edited_.target);
        return path.empty() ? kSFalse : kSOk;
    }
    HResult SetPath(const std::wstring& path) override {
        state_->Note(L"SetPath " + path);
        // The shell's object makes the path absolute against the current
        // directory, a web address included.
        const std::wstring full = state_->fullPath ? state_->fullPath(path) : path;
        edited_.target = full.empty() ? path : full;
        return kSOk;
    }
    HResult Resolve(std::uint32_t flags) override {
        // Noted without its flags: what they make the shell do is counted below.
        state_->Note(L"Resolve");
        if (!loaded_) return kEFail;
        if (!Succeeded(loaded_->resolveResult) && (flags & kSlrNoUi) == 0) ++state_->resolveDialogs;
        if (flags & kSlrUpdate) ++state_->resolveRewrites;
        return loaded_->resolveResult;
    }
    HResult GetDescription(std::wstring& text) override {
        state_->Note(L"GetDescription");
        return Read(text, loaded_ ? loaded_->description : std::wstring(), loaded_ ? loaded_->descriptionResult : kSOk);
    }
    HResult GetArguments(std::wstring& text) override {
        state_->Note(L"GetArguments");
        return Read(text, loaded_ ? loaded_->arguments : std::wstring(), loaded_ ? loaded_->argumentsResult : kSOk);
    }
    HResult GetWorkingDirectory(std::wstring& text) override {
        state_->Note(L"GetWorkingDirectory");
        return Read(text, loaded_ ? loaded_->workingDirectory : std::wstring(),
                    loaded_ ? loaded_->workingDirectoryResult : kSOk);
    }
    bool HasDataList() override {
        state_->Note(L"QueryDataList");
        return loaded_ ? loaded_->hasDataList : true;
    }
    HResult SetWorkingDirectory(const std::wstring& folder) override {
        state_->Note(L"SetWorkingDirectory " + folder);
        edited_.workingDirectory = folder;
        return kSOk;
    }

private:
    // A failing call writes nothing into the buffer, so the text stays.
    static HResult Read(std::wstring& text, const std::wstring& value, HResult result) {
        if (Succeeded(result)) text = Fit(value);
        return result;
    }

    LinkRecord edited_;
};

}  // namespace

LinkTable::LinkTable() : state_(std::make_shared<State>()) {}
LinkTable::~LinkTable() = default;

void LinkTable::AddLink(const std::wstring& path, LinkRecord record) {
    state_->files[PathKey(path)] = State::Entry{true, std::move(record)};
}

void LinkTable::AddUnreadable(const std::wstring& path) { state_->files[PathKey(path)] = State::Entry{false, {}}; }

const LinkRecord* LinkTable::Find(const std::wstring& path) const {
    const auto found = state_->files.find(PathKey(path));
    return found == state_->files.end() || !found->second.readable ? nullptr : &found->second.record;
}

void LinkTable::RefusePersistFile(HResult code) { state_->persistResult = code; }
void LinkTable::RefuseSave(HResult code) { state_->saveResult = code; }

std::size_t LinkTable::LinkCount() const { return state_->files.size(); }

void LinkTable::SetFolderExists(std::function<bool(const std::wstring&)> folderExists) {
    state_->folderExists = std::move(folderExists);
}

void LinkTable::SetFileWritten(std::function<void(const std::wstring&)> fileWritten) {
    state_->fileWritten = std::move(fileWritten);
}

void LinkTable::SetFullPath(std::function<std::wstring(const std::wstring&)> fullPath) {
    state_->fullPath = std::move(fullPath);
}

int LinkTable::ObjectsCreated() const { return state_->created; }
int LinkTable::ObjectsAlive() const { return state_->alive; }
int LinkTable::ResolveDialogs() const { return state_->resolveDialogs; }
int LinkTable::ResolveRewrites() const { return state_->resolveRewrites; }
const std::vector<std::wstring>& LinkTable::Calls() const { return state_->calls; }
void LinkTable::ClearCalls() { state_->calls.clear(); }

std::unique_ptr<WideShellLink> LinkTable::CreateWide(std::uint32_t context, bool throughUnknown, HResult& result) {
    state_->Note(L"CreateWide " + Number(context) + (throughUnknown ? L" unknown" : L""));
    result = createResult_;
    if (!Succeeded(result)) return nullptr;
    return std::make_unique<StandInWideLink>(state_);
}

std::wstring LinkTable::MessageFor(HResult code) const {
    switch (static_cast<std::uint32_t>(code)) {
        case 0x80040154u: return L"Class not registered";
        case 0x80004002u: return L"No such interface supported";
        default: return L"Unspecified error";
    }
}

}  // namespace quillmark
