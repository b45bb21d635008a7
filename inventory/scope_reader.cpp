#include "inventory/scope_reader.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "inventory/inventory_context.h"
#include "inventory/no_images.h"
#include "inventory/windows_start_man.h"
#include "platform/registry_accessor.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

// How long closing waits for a read in progress.
constexpr auto kStopWait = std::chrono::milliseconds(250);

struct Wanted {
    unsigned long long read = 0;
    StartupScope scope = StartupScope::CurrentUser;
    ProgramIcons known;
};

}  // namespace

// Shared by the reader and its thread, so a thread left behind at closing
// still has what it touches.
struct ScopeReader::State {
    explicit State(const Platform& platformIn) : platform(platformIn) {}

    const Platform platform;
    std::function<void()> wake;
    ThreadSetup setup;
    unsigned shortcutThreads = 1;
    std::mutex mutex;
    std::condition_variable changed;
    unsigned long long latest = 0;  // the number of the last read asked for
    std::optional<Wanted> wanted;
    std::optional<Done> done;
    bool stop = false;
    bool running = false;  // the thread has not yet left its apartment
};

namespace {

ScopeReader::Done ReadScope(const ScopeReader::State& state, Wanted& wanted) {
    ScopeReader::Done done;
    done.read = wanted.read;
    try {
        RegistryAccessor registry(state.platform.registry);
        TWindowsStartMan startMan(state.platform);
        // Rows take the images already known and ask for no new one: the
        // shared image list is the window thread's alone.
        NoImages images;
        InventoryContext context{state.platform, registry, startMan, images,
                                 ShortcutWorkers{state.shortcutThreads, state.setup}};
        done.iconRequests = LoadScopeRows(context, wanted.scope, done.rows, wanted.known);
    } catch (...) {
        TraceCaughtFailure();
    }
    return done;
}

void Work(const std::shared_ptr<ScopeReader::State>& state) {
    {
        const auto apartment = state->setup ? state->setup() : nullptr;
        std::unique_lock lock(state->mutex);
        while (true) {
            state->changed.wait(lock, [&] { return state->stop || state->wanted.has_value(); });
            if (state->stop) break;
            Wanted wanted = std::move(*state->wanted);
            state->wanted.reset();
            lock.unlock();
            ScopeReader::Done done = ReadScope(*state, wanted);
            lock.lock();
            if (state->stop) break;
            if (done.read != state->latest) continue;
            state->done = std::move(done);
            // Under the lock, so the reader cannot go away in between.
            if (state->wake) state->wake();
        }
    }
    // The apartment has been left; closing may stop waiting for this thread.
    const std::lock_guard lock(state->mutex);
    state->running = false;
    state->changed.notify_all();
}

}  // namespace

ScopeReader::ScopeReader(const Platform& platform, std::function<void()> wake, ThreadSetup setup,
                         unsigned shortcutThreads)
    : state_(std::make_shared<State>(platform)) {
    state_->wake = std::move(wake);
    state_->setup = std::move(setup);
    state_->shortcutThreads = shortcutThreads;
}

ScopeReader::~ScopeReader() {
    std::unique_lock lock(state_->mutex);
    state_->stop = true;
    state_->wanted.reset();
    state_->done.reset();
    state_->changed.notify_all();
    state_->changed.wait_for(lock, kStopWait, [&] { return !state_->running; });
    const bool finished = !state_->running;
    lock.unlock();
    if (!worker_.joinable()) return;
    if (finished) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

unsigned long long ScopeReader::Read(StartupScope scope, ProgramIcons known) {
    unsigned long long read = 0;
    {
        const std::lock_guard lock(state_->mutex);
        read = ++state_->latest;
        state_->wanted = Wanted{read, scope, std::move(known)};
        state_->done.reset();
        state_->changed.notify_all();
        if (worker_.joinable()) return read;
        state_->running = true;
    }
    // Started with the first read, so a window that never loads has no
    // thread. Without one the read is never done: the list stays as it was.
    try {
        worker_ = std::thread(Work, state_);
    } catch (...) {
        TraceCaughtFailure();
        const std::lock_guard lock(state_->mutex);
        state_->running = false;
    }
    return read;
}

void ScopeReader::Cancel() {
    const std::lock_guard lock(state_->mutex);
    ++state_->latest;
    state_->wanted.reset();
    state_->done.reset();
}

std::optional<ScopeReader::Done> ScopeReader::Take() {
    const std::lock_guard lock(state_->mutex);
    std::optional<Done> done = std::move(state_->done);
    state_->done.reset();
    return done;
}

}  // namespace quillmark
